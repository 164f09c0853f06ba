// Joystick 1 from a pad, the one rule for every shell. A pad whose layout is
// known (SDL's game controllers, the browser's "standard" mapping) steers with
// its left stick or d-pad and fires with its south face button or right
// trigger; any other joystick reports its first two axes and its buttons in
// order. Shells fill a TPadState from their device; the axes then go through
// the input rules' dead zone (InputMapping.h) like any joystick's.
#pragma once
#include <cstdint>

struct TPadState {
  int16_t X = 0, Y = 0;  // left stick, or the first two axes; -32768..32767
  bool Layout = false;   // the layout is known: the fields below are read
  bool Left = false, Right = false, Up = false, Down = false;  // the d-pad
  bool South = false;        // the south face button (A, cross)
  int16_t RightTrigger = 0;  // 0..32767
  uint32_t Buttons = 0;      // without a known layout: bit n - 1 for button n
};

// The pad as joystick 1's raw axes and button bits (bit 0 for button 1).
void PadAsJoystick(const TPadState& Pad, int16_t& X, int16_t& Y, uint32_t& Buttons);

// An axis of -1..1 (the Gamepad API's) on the joystick's -32768..32767; NaN is 0.
int16_t PadAxisToRaw(double Axis);
