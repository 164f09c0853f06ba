#include "PadMapping.h"

namespace {

// The standard layout's buttons.
constexpr int South = 0, RightTrigger = 7, Up = 12, Down = 13, Left = 14, Right = 15;

}  // namespace

TPadState PadStateFromReading(const TPadReading& Pad) {
  TPadState State;
  State.X = Pad.AxisCount > 0 ? PadAxisToRaw(Pad.Axes[0]) : 0;
  State.Y = Pad.AxisCount > 1 ? PadAxisToRaw(Pad.Axes[1]) : 0;
  State.Layout = Pad.Standard;
  auto Held = [&Pad](int B) { return B < Pad.ButtonCount && Pad.Pressed[B]; };
  if (!Pad.Standard) {
    for (int b = 0; b < Pad.ButtonCount && b < 32; ++b)
      if (Pad.Pressed[b]) State.Buttons |= uint32_t(1) << b;
    return State;
  }
  State.Left = Held(Left);
  State.Right = Held(Right);
  State.Up = Held(Up);
  State.Down = Held(Down);
  State.South = Held(South);
  State.RightTrigger = RightTrigger < Pad.ButtonCount ? PadAxisToRaw(Pad.ButtonValues[RightTrigger]) : 0;
  return State;
}
