#include "SizeText.h"

#include "TextNumber.h"

namespace {

std::string_view Trim(std::string_view S) {
  const size_t First = S.find_first_not_of(" \t\r");
  if (First == std::string_view::npos) return {};
  return S.substr(First, S.find_last_not_of(" \t\r") - First + 1);
}

bool Side(std::string_view Text, int MinSide, int& Value) {
  return ParseWholeText(Trim(Text), Value) && Value >= MinSide && Value <= MaxViewSide;
}

}  // namespace

TSizeRead ReadSizeText(std::string_view Text, int MinSide, int& Width, int& Height) {
  const size_t X = Text.find_first_of("xX");
  if (X == std::string_view::npos) return TSizeRead::NoSeparator;
  int W = 0, H = 0;
  if (!Side(Text.substr(0, X), MinSide, W)) return TSizeRead::BadWidth;
  if (!Side(Text.substr(X + 1), MinSide, H)) return TSizeRead::BadHeight;
  Width = W;
  Height = H;
  return TSizeRead::Read;
}
