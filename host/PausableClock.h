// Game time: the wall clock less the time spent paused, so a pause leaves no
// gap in the ticks the game reads (its shot timer and its demo clock go on
// from where they stood). Milliseconds, unsigned 32-bit, wrapping. No SDL:
// the wall time is handed in.
#pragma once
#include <cstdint>

class TPausableClock {
 public:
  uint32_t Now(uint32_t Wall) const { return paused_ ? frozen_ : Wall - away_; }
  void Pause(uint32_t Wall) {
    if (paused_) return;
    frozen_ = Wall - away_;
    paused_ = true;
  }
  void Resume(uint32_t Wall) {
    if (!paused_) return;
    away_ = Wall - frozen_;
    paused_ = false;
  }
  bool Paused() const { return paused_; }

 private:
  uint32_t away_ = 0;    // wall time spent paused so far
  uint32_t frozen_ = 0;  // game time at the pause
  bool paused_ = false;
};
