// skyrend-bench's command line: [--rounds N] [--size WxH] [--settings FILE] [--scores FILE] [--load-budgets].
#pragma once
#include <string>
#include <vector>

struct TBenchOptions {
  int Rounds = 9;
  int Width = 1024, Height = 768;
  std::string SettingsPath, ScoresPath;  // the player's files; none unless named
  // Instead of the frame rates: the worst loads each budget accepts (and
  // one step past each), their start-up time, peak memory and play frames.
  bool LoadBudgets = false;
};

extern const char* const BenchUsage;

// Throws std::invalid_argument naming the first bad argument.
TBenchOptions ParseBenchArguments(const std::vector<std::string>& Args);
