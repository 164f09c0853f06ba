#include "FrameStats.h"

#include <algorithm>
#include <cstdio>

namespace {

// The value at fraction Q of the sorted values (nearest rank).
double At(const std::vector<double>& Sorted, double Q) { return Sorted[size_t(Q * double(Sorted.size() - 1) + 0.5)]; }

}  // namespace

TFrameStats::TSummary TFrameStats::Summarise(uint64_t Frequency) const {
  TSummary S;
  if (times_.size() < 2 || Frequency == 0) return S;
  std::vector<double> Ms;
  for (size_t i = 1; i < times_.size(); ++i) Ms.push_back(double(times_[i] - times_[i - 1]) * 1e3 / double(Frequency));
  std::sort(Ms.begin(), Ms.end());
  S.Intervals = Ms.size();
  S.MedianMs = At(Ms, 0.5);
  S.Low5Ms = At(Ms, 0.05);
  S.High95Ms = At(Ms, 0.95);
  S.MinMs = Ms.front();
  S.MaxMs = Ms.back();
  return S;
}

std::string TFrameStats::Report(uint64_t Frequency, uint64_t SpunTicks) const {
  const TSummary S = Summarise(Frequency);
  const double SpinMs = times_.empty() ? 0 : double(SpunTicks) * 1e3 / double(Frequency) / double(times_.size());
  char Text[256];
  std::snprintf(Text, sizeof Text,
                "frame intervals: %zu, median %.3f ms, 5%%..95%% %.3f..%.3f ms, min %.3f, max %.3f; spin %.3f ms a frame",
                S.Intervals, S.MedianMs, S.Low5Ms, S.High95Ms, S.MinMs, S.MaxMs, SpinMs);
  return Text;
}
