// skyrend-bench's command line: [--rounds N] [--size WxH] [--settings FILE] [--scores FILE].
#pragma once
#include <string>
#include <vector>

struct TBenchOptions {
  int Rounds = 9;
  int Width = 1024, Height = 768;
  std::string SettingsPath, ScoresPath;  // the player's files; none unless named
};

extern const char* const BenchUsage;

// Throws std::invalid_argument naming the first bad argument.
TBenchOptions ParseBenchArguments(const std::vector<std::string>& Args);
