#include "FrameSchedule.h"

TFrameSchedule::TFrameSchedule(uint64_t Frequency, int StepsPerSecond, uint64_t Early)
    : period_(Frequency / uint64_t(StepsPerSecond)), early_(Early) {}

TFrameSchedule::TStep TFrameSchedule::Next(uint64_t Now) {
  if (!started_ || Now > next_ + RestartPeriods * period_) {
    if (started_) givenUp_ += Now - next_;
    next_ = Now;
    started_ = true;
  } else if (Now > next_ + period_ && undrawn_ < MaxUndrawn) {
    next_ += period_;
    ++undrawn_;
    return TStep::Undrawn;
  }
  if (Now + early_ < next_) return TStep::NotYet;
  TakeOnTime();
  return TStep::Drawn;
}

void TFrameSchedule::TakeOnTime() {
  undrawn_ = 0;
  next_ += period_;
}

int TFrameSchedule::TakeDue(uint64_t Now) {
  int Steps = 0;
  for (TStep Step = Next(Now); Step != TStep::NotYet; Step = Next(Now)) {
    ++Steps;
    if (Step == TStep::Drawn) break;
  }
  return Steps;
}
