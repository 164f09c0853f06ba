#include "FrameLimiter.h"

#include <cstdlib>

TFrameLimiter::TFrameLimiter(IFrameClock& Clock, int FramesPerSecond)
    : clock_(Clock),
      period_(Clock.Frequency() / uint64_t(FramesPerSecond)),
      spinMargin_(Clock.Frequency() / 2000) {}

bool TFrameLimiter::Wait() {
  uint64_t Now = clock_.Now();
  if (!started_ || Now > next_ + RestartPeriods * period_) {
    next_ = Now;
    started_ = true;
  } else if (Now > next_ + period_ && undrawn_ < MaxUndrawn) {
    next_ += period_;
    ++undrawn_;
    return false;
  }
  undrawn_ = 0;
  const uint64_t Frequency = clock_.Frequency();
  // Sleeping may wake a little late, so it stops half a millisecond early and
  // the rest is spun; a wake-up that comes early just sleeps again.
  while (Now + spinMargin_ < next_) {
    const uint64_t Us = (next_ - spinMargin_ - Now) * 1000000 / Frequency;
    if (Us == 0) break;
    clock_.SleepUs(uint32_t(Us));
    Now = clock_.Now();
  }
  const uint64_t SpinFrom = Now;
  while (Now < next_) Now = clock_.Now();
  spun_ += Now - SpinFrom;
  next_ += period_;
  return true;
}

int ChooseSwapInterval(int RefreshHz) {
  if (RefreshHz <= 0) return 0;
  const int K = (RefreshHz + 30) / 60;
  if (K < 1 || std::abs(RefreshHz - K * 60) > 2) return 0;
  return K == 1 ? -1 : K;
}
