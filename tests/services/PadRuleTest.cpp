// The one pad rule both shells read their pads by. (Their devices are checked
// in tests/platform/sdl/SdlJoystickTest and tests/platform/web.)
#include "PadRule.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PadRule, AKnownLayoutSteersWithStickOrDpadAndFiresWithSouthOrTriggerPastHalfWay) {
  struct TCase {
    const char* What;
    TPadState Pad;
    int16_t X, Y;
    uint32_t Buttons;
  };
  TPadState Stick;
  Stick.Layout = true;
  Stick.X = -8192;
  Stick.Y = 300;
  Stick.Buttons = 0xFF;  // only read without a known layout
  TPadState Dpad = Stick;
  Dpad.Right = Dpad.Up = true;
  TPadState Half = Stick, Past = Stick, South = Stick;
  Half.RightTrigger = 16384;
  Past.RightTrigger = 16385;
  South.South = true;
  TPadState Raw = Stick;
  Raw.Layout = false;
  Raw.Right = Raw.South = true;
  Raw.RightTrigger = 32767;
  const TCase Cases[] = {
      {"stick", Stick, -8192, 300, 0},     {"d-pad over the stick", Dpad, 32767, -32768, 0},
      {"trigger at half", Half, -8192, 300, 0}, {"trigger past half", Past, -8192, 300, 1},
      {"south button", South, -8192, 300, 1},   {"unknown layout: raw", Raw, -8192, 300, 0xFF},
  };
  for (const TCase& Case : Cases) {
    int16_t X, Y;
    uint32_t Buttons;
    PadAsJoystick(Case.Pad, X, Y, Buttons);
    EXPECT_EQ(X, Case.X) << Case.What;
    EXPECT_EQ(Y, Case.Y) << Case.What;
    EXPECT_EQ(Buttons, Case.Buttons) << Case.What;
  }
}

TEST(PadRule, GamepadAxesReachTheJoysticksEnds) {
  EXPECT_EQ(PadAxisToRaw(-1.5), -32768);
  EXPECT_EQ(PadAxisToRaw(-1), -32768);
  EXPECT_EQ(PadAxisToRaw(1), 32767);
  EXPECT_EQ(PadAxisToRaw(-0.25), -8192);
  EXPECT_EQ(PadAxisToRaw(std::nan("")), 0);
}

}  // namespace
