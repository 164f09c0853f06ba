// Frame pacing: one fixed game step per frame, so steps are held to 60 per
// second on an absolute schedule. A machine that cannot draw that fast keeps
// the game's speed by taking some steps without their pictures. The clock is
// injected so tests can check the arithmetic without waiting.
#pragma once
#include <cstdint>

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

  // Waits for the next step's deadline (sleeping until about half a
  // millisecond before it, then spinning) and moves the deadline one period
  // on. Returns whether that step is drawn. A step that ends more than a
  // period behind the schedule is followed at once by steps without pictures
  // (at most MaxUndrawn in a row), each taking the clock as its deadline,
  // until the schedule is caught up; more than RestartPeriods behind, the
  // schedule starts again from now.
  bool Wait();

  static constexpr int MaxUndrawn = 4;
  static constexpr int RestartPeriods = 5;

  uint64_t Period() const { return period_; }
  uint64_t NextDeadline() const { return next_; }
  // Counter ticks spent spinning since the limiter was made.
  uint64_t SpunTicks() const { return spun_; }

 private:
  IFrameClock& clock_;
  uint64_t period_;
  uint64_t spinMargin_;
  uint64_t next_ = 0;
  uint64_t spun_ = 0;
  int undrawn_ = 0;  // steps without pictures in a row
  bool started_ = false;
};

// The swap interval that smooths a 60 per second schedule on a display of
// RefreshHz: -1 (adaptive; the caller falls back to 1) at about 60 Hz, k at
// about k x 60 Hz, otherwise 0. "About" is within 2 Hz.
int ChooseSwapInterval(int RefreshHz);
