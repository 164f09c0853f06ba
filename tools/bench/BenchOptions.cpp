#include "BenchOptions.h"

#include <charconv>
#include <stdexcept>

const char* const BenchUsage =
    "usage: skyrend-bench [--rounds N] [--size WxH] [--settings FILE] [--scores FILE] [--load-budgets]\n"
    "  (N from 1 to 1000, default 9; 1024x768; no player's files unless named)";

namespace {

int Whole(const std::string& Text, int Lo, int Hi, const std::string& What) {
  int Value = 0;
  const char* End = Text.data() + Text.size();
  const auto R = std::from_chars(Text.data(), End, Value);
  if (Text.empty() || R.ec != std::errc() || R.ptr != End || Value < Lo || Value > Hi)
    throw std::invalid_argument(What + " must be a whole number in " + std::to_string(Lo) + ".." +
                                std::to_string(Hi) + ", not \"" + Text + "\"");
  return Value;
}

}  // namespace

TBenchOptions ParseBenchArguments(const std::vector<std::string>& Args) {
  TBenchOptions O;
  for (size_t i = 0; i < Args.size(); ++i) {
    const std::string& Name = Args[i];
    if (Name == "--load-budgets") {
      O.LoadBudgets = true;
      continue;
    }
    if (i + 1 >= Args.size()) throw std::invalid_argument("\"" + Name + "\" needs a value or is unknown");
    const std::string& Value = Args[++i];
    if (Name == "--rounds") {
      O.Rounds = Whole(Value, 1, 1000, "--rounds");
    } else if (Name == "--size") {
      const size_t X = Value.find('x');
      if (X == std::string::npos) throw std::invalid_argument("--size needs WxH, not \"" + Value + "\"");
      O.Width = Whole(Value.substr(0, X), 16, 8192, "--size width");
      O.Height = Whole(Value.substr(X + 1), 16, 8192, "--size height");
    } else if (Name == "--settings") {
      O.SettingsPath = Value;
    } else if (Name == "--scores") {
      O.ScoresPath = Value;
    } else {
      throw std::invalid_argument("unknown argument \"" + Name + "\"");
    }
  }
  return O;
}
