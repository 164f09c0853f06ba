// Seeded random play: before each frame it presses, repeats and releases
// keys, moves the mouse with random buttons, clicks and moves joystick 1,
// and on the title screen presses Z now and then so that a new game starts
// after every game over. The input goes into the host's input stream, the
// path a recorded game takes, which writes it as a script that skyrend-sim replays.
#pragma once
#include <cstdint>

#include "InputStream.h"

class TSoakInput {
 public:
  TSoakInput(uint64_t Seed, TInputStream& Stream) : state_(Seed), recorder_(Stream) {}

  // The input of the next frame. OnTitleScreen: what the form showed last.
  void NextFrame(bool OnTitleScreen);

 private:
  uint64_t Next();
  // A whole number in 0..N-1.
  int Below(int N) { return int(Next() % uint64_t(N)); }
  bool Chance(int OneIn) { return Below(OneIn) == 0; }
  void Toggle(uint16_t Key);

  uint64_t state_;
  TInputStream& recorder_;
  bool held_[256] = {};
};
