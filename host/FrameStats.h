// Frame intervals of the real window, for checking the pacing: with
// SKYREND_FRAME_STATS=1 the shell notes when each frame is released and
// prints a summary on stderr at the end of the run.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TFrameStats {
 public:
  // Room for Capacity release times, allocated now: Add never allocates.
  explicit TFrameStats(size_t Capacity) { times_.reserve(Capacity); }
  // A frame released at counter value Ticks; beyond the capacity it is dropped.
  void Add(uint64_t Ticks) {
    if (times_.size() < times_.capacity()) times_.push_back(Ticks);
  }

  struct TSummary {
    size_t Intervals = 0;
    double MedianMs = 0, Low5Ms = 0, High95Ms = 0, MinMs = 0, MaxMs = 0;
  };
  TSummary Summarise(uint64_t Frequency) const;
  // One line: the interval's median and spread, and the spin per frame.
  std::string Report(uint64_t Frequency, uint64_t SpunTicks) const;

 private:
  std::vector<uint64_t> times_;
};
