// Figures of a benchmark block and their summary over rounds.
#pragma once
#include <vector>

// What one block of frames took, per frame.
struct TBlock {
  double Fps = 0;
  double WallMs = 0;        // wall time per frame
  double CpuMs = 0;         // CPU time of every thread (the GL driver's workers too)
  double MainThreadMs = 0;  // CPU time of the thread that runs the game
};

// Median and spread of a set of values (empty: all 0).
struct TSpread {
  double Median = 0, LowQuarter = 0, HighQuarter = 0, Min = 0, Max = 0;
};
TSpread SpreadOf(std::vector<double> Values);

// Monotonic wall clock and the CPU clocks, in seconds.
double WallSeconds();
double ProcessCpuSeconds();
double ThreadCpuSeconds();
