// When a game controller should rumble: watches the world after each frame
// for a hit on the player (short) and the start of the game over (longer).
#pragma once
#include <cstdint>

struct TWorldState;

struct TRumble {
  int Strength = 0;  // 0..100
  int Ms = 0;
};

constexpr TRumble HitRumble{60, 200};
constexpr TRumble GameOverRumble{100, 800};

class TRumbleWatch {
 public:
  // After a frame: true with the rumble the frame asks for.
  bool AfterFrame(const TWorldState& World, TRumble& Rumble);

 private:
  int32_t hits_ = 0;
  bool over_ = false;
};
