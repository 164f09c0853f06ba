// The input component's rules, free of SDL: the keyboard assignment table,
// joystick axis ranges with their dead zone, and the pointer the mouse moves.
#pragma once
#include <array>
#include <cstdint>

#include "Services.h"

// 36 states by 3 slots of virtual-key codes; 0 is an empty slot.
constexpr int InputStateCount = 36;
constexpr int KeySlots = 3;
using TKeyAssignments = std::array<std::array<uint32_t, KeySlots>, InputStateCount>;

// The fixed assignments: K/Up/keypad 8 up, J/Down/keypad 2 down, H/Left/keypad 4
// left, L/Right/keypad 6 right, Z/Space button 1, X/Return button 2, F2 button 9.
const TKeyAssignments& DefaultKeyAssignments();

// The states whose assigned keys include one that is down (Down indexed by virtual-key code).
TInputStates StatesFromKeys(const uint8_t (&Down)[256], const TKeyAssignments& Assigns);

// One axis from SDL's -32768..32767 onto -1000..1000 with a dead zone of 50 %
// of the half range: 0 inside it, then linear from 0 at its edge to +-1000 at
// the end of travel.
int32_t MapJoystickAxis(int16_t Raw);

// Joystick 1 as states: X below 0 left, above 0 right; Y below 0 (pushed away)
// up, above 0 down; button n (1..32) the n-th button state. Buttons is a bit
// per button, bit 0 for button 1.
TInputStates StatesFromJoystick(int16_t RawX, int16_t RawY, uint32_t Buttons);

// The mouse position the game reads. The window's mouse runs in relative mode,
// so this position is accumulated from the motion. It starts at the centre of
// the Width x Height view and is never clamped: the game wraps X from one edge
// to the other with SetCursorPos and leaves Y alone, so moving up always goes on
// lowering Y. The motion events of one frame reach the game as one mouse move
// (TakeFrameMotion), as a window's message queue combines them, so rates do
// not grow with the mouse's report rate.
class TVirtualPointer {
 public:
  TVirtualPointer(int Width, int Height);
  // One motion event; Buttons are the buttons held at it (the game's shift bits).
  void Move(int Dx, int Dy, uint32_t Buttons = 0);
  void Set(int X, int Y);
  int X() const { return x_; }
  int Y() const { return y_; }
  // True once after any motion since the last call, with the buttons held at
  // the last motion event.
  bool TakeFrameMotion(uint32_t& Buttons);

 private:
  int x_, y_;
  bool moved_ = false;
  uint32_t buttons_ = 0;
};
