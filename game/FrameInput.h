// What the world takes with each step: the frame's messages in the order
// they came, the input states held, and the frame's one mouse move.
#pragma once
#include <cstddef>
#include <cstdint>

#include "Services.h"

// Changes that tools make to the world, through the input stream like any
// input, so that such a run is recorded and replays the same. A player's
// demo never holds them.
enum class TStaging : int32_t {
  Busy = 1,    // every alien and rocket waiting to enter comes in ahead of the player; no one wins
  Scheme = 2,  // the colour scheme is B
  Score = 3,   // the score is B
  Level = 4,   // the level is B (0..9)
  Hit = 5,     // an alien hits the player once
};

struct TWorldMessage {
  enum TKind : uint8_t { Key, Click, Size, Stage };
  TKind Kind = Key;
  int32_t A = 0;  // key code, width or staging
  int32_t B = 0;  // height or the staging's value
};

struct TFrameInput {
  const TWorldMessage* Messages = nullptr;
  size_t MessageCount = 0;
  // Held keys and joystick 1 as input states (Services.h).
  TInputStates States = 0;
  // The frame's mouse motion, if any, as one move to (MouseX, MouseY) with the buttons of its last event.
  bool MouseMoved = false;
  int32_t MouseX = 0, MouseY = 0;
  uint32_t MouseButtons = 0;
};
