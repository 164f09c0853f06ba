// The one pad rule's edges. (The rule as a whole is read through both shells'
// devices: tests/platform/sdl/SdlJoystickTest and the PadMapping test.)
#include "PadRule.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

uint32_t ButtonsOf(const TPadState& Pad) {
  int16_t X, Y;
  uint32_t Buttons;
  PadAsJoystick(Pad, X, Y, Buttons);
  return Buttons;
}

TEST(PadRule, TheTriggerFiresOnlyPastHalfWayAndOnlyOnAKnownLayout) {
  TPadState Pad;
  Pad.Layout = true;
  Pad.RightTrigger = 16384;
  EXPECT_EQ(ButtonsOf(Pad), 0u);
  Pad.RightTrigger = 16385;
  EXPECT_EQ(ButtonsOf(Pad), 1u);
  Pad.Layout = false;  // a raw joystick: its buttons by number, nothing else
  Pad.Buttons = 1u << 5;
  EXPECT_EQ(ButtonsOf(Pad), 1u << 5);
  // Gamepad API axes reach the joystick's ends; a broken pad's NaN is the middle.
  EXPECT_EQ(PadAxisToRaw(-1.5), -32768);
  EXPECT_EQ(PadAxisToRaw(1), 32767);
  EXPECT_EQ(PadAxisToRaw(std::nan("")), 0);
}

}  // namespace
