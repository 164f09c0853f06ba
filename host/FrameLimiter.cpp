#include "FrameLimiter.h"

#include <cstdlib>

TFrameLimiter::TFrameLimiter(IFrameClock& Clock, int FramesPerSecond)
    : clock_(Clock), schedule_(Clock.Frequency(), FramesPerSecond), spinMargin_(Clock.Frequency() / 2000) {}

bool TFrameLimiter::Wait() {
  uint64_t Now = clock_.Now();
  const TFrameSchedule::TStep Step = schedule_.Next(Now);
  if (Step != TFrameSchedule::TStep::NotYet) return Step == TFrameSchedule::TStep::Drawn;
  const uint64_t Deadline = schedule_.Deadline();
  const uint64_t Frequency = clock_.Frequency();
  // Sleeping may wake a little late, so it stops half a millisecond early and
  // the rest is spun; a wake-up that comes early just sleeps again.
  while (Now + spinMargin_ < Deadline) {
    const uint64_t Us = (Deadline - spinMargin_ - Now) * 1000000 / Frequency;
    if (Us == 0) break;
    clock_.SleepUs(uint32_t(Us));
    Now = clock_.Now();
  }
  const uint64_t SpinFrom = Now;
  while (Now < Deadline) Now = clock_.Now();
  spun_ += Now - SpinFrom;
  schedule_.TakeOnTime();
  return true;
}

int ChooseSwapInterval(int RefreshHz) {
  if (RefreshHz <= 0) return 0;
  const int K = (RefreshHz + 30) / 60;
  if (K < 1 || std::abs(RefreshHz - K * 60) > 2) return 0;
  return K == 1 ? -1 : K;
}
