#include "BenchStats.h"

#include <time.h>

#include <algorithm>

namespace {

double Clock(clockid_t Id) {
  timespec T{};
  clock_gettime(Id, &T);
  return double(T.tv_sec) + double(T.tv_nsec) * 1e-9;
}

// The value at fraction Q of the sorted values, between neighbours.
double Quantile(const std::vector<double>& Sorted, double Q) {
  const double At = Q * double(Sorted.size() - 1);
  const size_t Lo = size_t(At);
  const size_t Hi = std::min(Lo + 1, Sorted.size() - 1);
  return Sorted[Lo] + (Sorted[Hi] - Sorted[Lo]) * (At - double(Lo));
}

}  // namespace

TSpread SpreadOf(std::vector<double> Values) {
  TSpread S;
  if (Values.empty()) return S;
  std::sort(Values.begin(), Values.end());
  S.Median = Quantile(Values, 0.5);
  S.LowQuarter = Quantile(Values, 0.25);
  S.HighQuarter = Quantile(Values, 0.75);
  S.Min = Values.front();
  S.Max = Values.back();
  return S;
}

double WallSeconds() { return Clock(CLOCK_MONOTONIC); }
double ProcessCpuSeconds() { return Clock(CLOCK_PROCESS_CPUTIME_ID); }
double ThreadCpuSeconds() { return Clock(CLOCK_THREAD_CPUTIME_ID); }
