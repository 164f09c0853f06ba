#include "OptionValue.h"

#include <stdexcept>

#include "QuoteWord.h"
#include "SizeText.h"
#include "TextNumber.h"

namespace {

[[noreturn]] void NotWhole(const std::string& Text, long Lo, long Hi, const std::string& What) {
  throw std::invalid_argument(What + " must be a whole number in " + std::to_string(Lo) + ".." + std::to_string(Hi) +
                              ", not \"" + QuoteWord(Text) + "\"");
}

}  // namespace

long WholeOption(const std::string& Text, long Lo, long Hi, const std::string& What) {
  long Value = 0;
  if (!ParseWholeText(Text, Value) || Value < Lo || Value > Hi) NotWhole(Text, Lo, Hi, What);
  return Value;
}

void SizeOption(const std::string& Text, int MinSide, int& Width, int& Height) {
  const TSizeRead Read = ReadSizeText(Text, MinSide, Width, Height);
  if (Read == TSizeRead::NoSeparator) throw std::invalid_argument("--size needs WxH, not \"" + QuoteWord(Text) + "\"");
  const size_t X = Text.find_first_of("xX");
  if (Read == TSizeRead::BadWidth) NotWhole(Text.substr(0, X), MinSide, MaxViewSide, "--size width");
  if (Read == TSizeRead::BadHeight) NotWhole(Text.substr(X + 1), MinSide, MaxViewSide, "--size height");
}
