// The schedule of game steps every shell keeps: one fixed step per frame, 60
// a second on an absolute schedule (next += period), so the game keeps real
// time whatever the display does. A machine that falls behind takes steps
// without their pictures to catch up; one far behind starts again from now.
// It only decides; waiting for a deadline is the shell's (the desktop sleeps
// then spins, the page is called once per display frame).
#pragma once
#include <cstdint>

class TFrameSchedule {
 public:
  // Frequency: clock ticks a second. Early: how long before its deadline a
  // step may still be taken, for a shell called at display frames that come
  // a little early or late (0 for a shell that waits for the deadline).
  explicit TFrameSchedule(uint64_t Frequency, int StepsPerSecond = 60, uint64_t Early = 0);

  enum class TStep { NotYet, Drawn, Undrawn };

  // The step due at Now, taken (the deadline moves one period on) unless
  // NotYet. More than a period behind, the step is Undrawn (at most
  // MaxUndrawn in a row, then one is drawn); more than RestartPeriods
  // behind, or at the first call, the schedule starts again from Now.
  TStep Next(uint64_t Now);
  // Takes the step whose deadline a shell waited for, with its picture.
  void TakeOnTime();
  // The game was paused: the next step starts the schedule again from its
  // time, and the pause is not counted as given up.
  void Restart() { started_ = false; }
  // For a shell called once per display frame: takes every step due at Now
  // and returns how many; only the last of them is drawn.
  int TakeDue(uint64_t Now);

  static constexpr int MaxUndrawn = 4;
  static constexpr int RestartPeriods = 5;

  uint64_t Period() const { return period_; }
  uint64_t Deadline() const { return next_; }
  // Ticks of real time given up at restarts (how far behind the schedule was
  // each time); over the rest of the time the game takes 60 steps a second.
  uint64_t GivenUp() const { return givenUp_; }

 private:
  uint64_t period_;
  uint64_t early_;
  uint64_t next_ = 0;
  uint64_t givenUp_ = 0;
  int undrawn_ = 0;  // steps without pictures in a row
  bool started_ = false;
};
