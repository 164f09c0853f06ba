// The keyboard assignment table, joystick ranges and the virtual pointer.
#include "InputMapping.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

TInputStates StatesWithDown(std::initializer_list<int> Codes) {
  uint8_t Down[256] = {};
  for (int Code : Codes) Down[Code] = 1;
  return StatesFromKeys(Down, DefaultKeyAssignments());
}

TEST(KeyAssignments, EveryListedKeyTurnsOnItsState) {
  const std::vector<std::pair<int, std::vector<int>>> Table = {
      {StateUp, {75, 38, 104}},     {StateDown, {74, 40, 98}},  {StateLeft, {72, 37, 100}},
      {StateRight, {76, 39, 102}},  {StateButton1, {90, 32}},   {StateButton2, {88, 13}},
      {StateButton9, {113}},
  };
  for (const auto& [State, Keys] : Table)
    for (int Key : Keys) EXPECT_EQ(StatesWithDown({Key}), InputBit(State)) << "key " << Key;
}

TEST(KeyAssignments, UnlistedKeysAndEmptySlotsTurnOnNothing) {
  EXPECT_EQ(StatesWithDown({}), 0u);
  EXPECT_EQ(StatesWithDown({65, 27, 70, 78, 66, 112, 114}), 0u);
  // Code 0 is an empty slot: a "down" code 0 must not light the many empty slots.
  EXPECT_EQ(StatesWithDown({0}), 0u);
}

TEST(KeyAssignments, SeveralKeysGiveTheUnionOfTheirStates) {
  EXPECT_EQ(StatesWithDown({37, 39, 32}),
            InputBit(StateLeft) | InputBit(StateRight) | InputBit(StateButton1));
  EXPECT_EQ(StatesWithDown({38, 75}), InputBit(StateUp));
}

TEST(JoystickAxis, EndsOfTravelReachTheFullRange) {
  EXPECT_EQ(MapJoystickAxis(-32768), -1000);
  EXPECT_EQ(MapJoystickAxis(32767), 1000);
  EXPECT_EQ(MapJoystickAxis(0), 0);
}

TEST(JoystickAxis, HalfTheHalfRangeIsDeadThenTheValueGrowsFromZero) {
  EXPECT_EQ(MapJoystickAxis(16000), 0);
  EXPECT_EQ(MapJoystickAxis(-16384), 0);  // exactly the edge
  // Three quarters of the travel is half way from the edge to the end: 500.
  EXPECT_EQ(MapJoystickAxis(24576), 500);
  EXPECT_EQ(MapJoystickAxis(-24576), -500);
  // Just past the edge gives a small value, not a jump.
  const int32_t Past = MapJoystickAxis(17000);
  EXPECT_GT(Past, 0);
  EXPECT_LT(Past, 50);
}

TEST(JoystickStates, AxesGiveDirectionsOutsideTheDeadZone) {
  EXPECT_EQ(StatesFromJoystick(-32768, 0, 0), InputBit(StateLeft));
  EXPECT_EQ(StatesFromJoystick(32767, 0, 0), InputBit(StateRight));
  EXPECT_EQ(StatesFromJoystick(0, -32768, 0), InputBit(StateUp));
  EXPECT_EQ(StatesFromJoystick(0, 32767, 0), InputBit(StateDown));
  EXPECT_EQ(StatesFromJoystick(10000, -10000, 0), 0u);
  EXPECT_EQ(StatesFromJoystick(-30000, 30000, 0), InputBit(StateLeft) | InputBit(StateDown));
}

TEST(JoystickStates, ButtonNSetsTheNthButtonState) {
  EXPECT_EQ(StatesFromJoystick(0, 0, 1u), InputBit(StateButton1));
  EXPECT_EQ(StatesFromJoystick(0, 0, 1u << 1), InputBit(StateButton2));
  EXPECT_EQ(StatesFromJoystick(0, 0, 1u << 8), InputBit(StateButton9));
  EXPECT_EQ(StatesFromJoystick(0, 0, 1u << 31), InputBit(35));
}

TEST(VirtualPointer, StartsAtTheCentreWhereTheGamesLastPositionStarts) {
  TVirtualPointer P(1024, 768);
  EXPECT_EQ(P.X(), 512);
  EXPECT_EQ(P.Y(), 384);
}

// Never clamped: moving up goes on lowering Y past the top, and X past an
// edge is wrapped by the game, not stopped here.
TEST(VirtualPointer, AccumulatesMotionWithoutClampingAndReportsItOnceAFrame) {
  TVirtualPointer P(1024, 768);
  uint32_t Buttons = 99;
  EXPECT_FALSE(P.TakeFrameMotion(Buttons));
  P.Move(100, 50, 1);
  P.Move(-30, 20, 2);
  EXPECT_EQ(P.X(), 582);
  EXPECT_EQ(P.Y(), 454);
  ASSERT_TRUE(P.TakeFrameMotion(Buttons));
  EXPECT_EQ(Buttons, 2u) << "the buttons of the last event";
  EXPECT_FALSE(P.TakeFrameMotion(Buttons));
  P.Move(-700, -1000);
  EXPECT_EQ(P.X(), -118);
  EXPECT_EQ(P.Y(), -546);
  for (int i = 0; i < 30000; ++i) P.Move(100000, 100000);
  EXPECT_EQ(P.X(), 1000000000) << "saturates far out instead of overflowing";
}

TEST(VirtualPointer, SetCursorPosMovesItToEitherEdge) {
  TVirtualPointer P(1024, 768);
  P.Move(10, 10);
  P.Set(1024, 0);  // where the game wraps to from the left edge
  EXPECT_EQ(P.X(), 1024);
  P.Move(-3, 0);
  EXPECT_EQ(P.X(), 1021);
  P.Set(0, 0);
  P.Move(4, 0);
  EXPECT_EQ(P.X(), 4);
}

}  // namespace
