#include "PadMapping.h"

#include <cmath>

namespace {

// The standard layout's buttons.
constexpr int South = 0, RightTrigger = 7, Up = 12, Down = 13, Left = 14, Right = 15;

}  // namespace

int16_t PadAxisToRaw(double Axis) {
  if (!(Axis == Axis)) return 0;  // NaN from a broken pad
  if (Axis <= -1) return -32768;
  if (Axis >= 1) return 32767;
  return int16_t(std::lround(Axis < 0 ? Axis * 32768 : Axis * 32767));
}

void ReadPad(const TPadReading& Pad, int16_t& X, int16_t& Y, uint32_t& Buttons) {
  X = Pad.AxisCount > 0 ? PadAxisToRaw(Pad.Axes[0]) : 0;
  Y = Pad.AxisCount > 1 ? PadAxisToRaw(Pad.Axes[1]) : 0;
  Buttons = 0;
  auto Held = [&Pad](int B) { return B < Pad.ButtonCount && Pad.Pressed[B]; };
  if (!Pad.Standard) {
    for (int b = 0; b < Pad.ButtonCount && b < 32; ++b)
      if (Pad.Pressed[b]) Buttons |= uint32_t(1) << b;
    return;
  }
  // The d-pad pushes an axis to its end, over whatever the stick says.
  if (Held(Left)) X = -32768;
  if (Held(Right)) X = 32767;
  if (Held(Up)) Y = -32768;
  if (Held(Down)) Y = 32767;
  // Past half way the trigger fires.
  const bool Trigger = RightTrigger < Pad.ButtonCount && Pad.ButtonValues[RightTrigger] > 0.5;
  if (Held(South) || Trigger) Buttons = 1;
}
