#include "PadRule.h"

#include <cmath>

void PadAsJoystick(const TPadState& Pad, int16_t& X, int16_t& Y, uint32_t& Buttons) {
  X = Pad.X;
  Y = Pad.Y;
  if (!Pad.Layout) {
    Buttons = Pad.Buttons;
    return;
  }
  // The d-pad pushes an axis to its end, over whatever the stick says.
  if (Pad.Left) X = -32768;
  if (Pad.Right) X = 32767;
  if (Pad.Up) Y = -32768;
  if (Pad.Down) Y = 32767;
  // Past half way the trigger fires; other buttons have no state of their own.
  Buttons = Pad.South || Pad.RightTrigger > 16384 ? 1 : 0;
}

int16_t PadAxisToRaw(double Axis) {
  if (!(Axis == Axis)) return 0;  // NaN from a broken pad
  if (Axis <= -1) return -32768;
  if (Axis >= 1) return 32767;
  return int16_t(std::lround(Axis < 0 ? Axis * 32768 : Axis * 32767));
}
