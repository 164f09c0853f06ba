// Frame pacing for a shell that can wait: the frame schedule (FrameSchedule.h)
// on a high-resolution counter, with the wait for each deadline done by
// sleeping and then spinning. The clock is injected so tests can check the
// arithmetic without waiting.
#pragma once
#include <cstdint>

#include "FrameSchedule.h"

class IFrameClock {
 public:
  virtual ~IFrameClock() = default;
  virtual uint64_t Now() = 0;        // counter ticks
  virtual uint64_t Frequency() = 0;  // counter ticks per second
  virtual void SleepUs(uint32_t Us) = 0;  // may wake late, rarely early
};

class TFrameLimiter {
 public:
  explicit TFrameLimiter(IFrameClock& Clock, int FramesPerSecond = 60);

  // Called after each step: takes the next step from the schedule, waiting
  // for its deadline when it is not yet due (sleeping until about half a
  // millisecond before it, then spinning). Returns whether that step is
  // drawn; a step without a picture is taken at once.
  bool Wait();

  uint64_t Period() const { return schedule_.Period(); }
  uint64_t NextDeadline() const { return schedule_.Deadline(); }
  // Counter ticks spent spinning since the limiter was made.
  uint64_t SpunTicks() const { return spun_; }

 private:
  IFrameClock& clock_;
  TFrameSchedule schedule_;
  uint64_t spinMargin_;
  uint64_t spun_ = 0;
};

// The swap interval that smooths a 60 per second schedule on a display of
// RefreshHz: -1 (adaptive; the caller falls back to 1) at about 60 Hz, k at
// about k x 60 Hz, otherwise 0. "About" is within 2 Hz.
int ChooseSwapInterval(int RefreshHz);
