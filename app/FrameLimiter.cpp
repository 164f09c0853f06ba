#include "FrameLimiter.h"

#include <cstdlib>

TFrameLimiter::TFrameLimiter(IFrameClock& Clock, int FramesPerSecond)
    : clock_(Clock),
      period_(Clock.Frequency() / uint64_t(FramesPerSecond)),
      spinMargin_(Clock.Frequency() / 500) {}

void TFrameLimiter::Wait() {
  uint64_t Now = clock_.Now();
  if (!started_ || Now > next_ + period_) {
    next_ = Now;
    started_ = true;
  }
  const uint64_t PerMs = clock_.Frequency() / 1000;
  while (Now < next_) {
    const uint64_t Left = next_ - Now;
    // Sleeping is coarse, so stop sleeping a little early and spin the rest.
    if (Left > spinMargin_ && PerMs > 0) {
      const uint64_t Ms = (Left - spinMargin_) / PerMs;
      if (Ms > 0) clock_.SleepMs(uint32_t(Ms));
    }
    Now = clock_.Now();
  }
  next_ += period_;
}

int ChooseSwapInterval(int RefreshHz) {
  if (RefreshHz <= 0) return 0;
  const int K = (RefreshHz + 30) / 60;
  if (K < 1 || std::abs(RefreshHz - K * 60) > 2) return 0;
  return K == 1 ? -1 : K;
}
