#include "BenchOptions.h"

#include <stdexcept>

#include "OptionValue.h"
#include "QuoteWord.h"

const char* const BenchUsage =
    "usage: skyrend-bench [--rounds N] [--size WxH] [--settings FILE] [--scores FILE] [--load-budgets]\n"
    "  (N from 1 to 1000, default 9; 1024x768; no player's files unless named)";

TBenchOptions ParseBenchArguments(const std::vector<std::string>& Args) {
  TBenchOptions O;
  for (size_t i = 0; i < Args.size(); ++i) {
    const std::string& Name = Args[i];
    if (Name == "--load-budgets") {
      O.LoadBudgets = true;
      continue;
    }
    if (i + 1 >= Args.size()) throw std::invalid_argument("\"" + QuoteWord(Name) + "\" needs a value or is unknown");
    const std::string& Value = Args[++i];
    if (Name == "--rounds") {
      O.Rounds = int(WholeOption(Value, 1, 1000, "--rounds"));
    } else if (Name == "--size") {
      SizeOption(Value, 16, O.Width, O.Height);
    } else if (Name == "--settings") {
      O.SettingsPath = Value;
    } else if (Name == "--scores") {
      O.ScoresPath = Value;
    } else {
      throw std::invalid_argument("unknown argument \"" + QuoteWord(Name) + "\"");
    }
  }
  return O;
}
