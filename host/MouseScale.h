// The player's mouse speed and inversion, applied to the motion before it
// reaches the input stream: a recorded demo holds the motion the game saw and
// replays the same under any settings.
#pragma once

class TMouseScale {
 public:
  // Speed: 1 leaves the motion as it is (one degree of turn a pixel).
  // Invert: moving the mouse up counts as moving it down.
  void Set(double Speed, bool Invert);
  // The motion the game sees for a motion of the mouse. What a slow speed
  // leaves below a whole pixel carries over to the next motion, so slow
  // movements add up instead of being lost.
  void Apply(int& Dx, int& Dy);

 private:
  double speed_ = 1;
  bool invert_ = false;
  double restX_ = 0, restY_ = 0;
};
