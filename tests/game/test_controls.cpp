// The player's controls: the key handler, the per-frame poll and the mouse,
// each with its own speed limits.
#include <gtest/gtest.h>

#include "FormOnFakes.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override { W.Quiet(); }
  TWorldForm W;
  TWorldUnderTest& F = *W.World;
  int Shots() { return W.ActiveCount(*F.PlayerShots); }
  int ShotSounds() { return W.Sound.Count(TSoundEvent::Restart, WaveMeShoot); }
};

constexpr uint16_t KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40;
constexpr uint16_t KeyB = 66, KeyF = 70, KeyN = 78, KeyZ = 90;

}  // namespace

TEST_F(Controls, ZStartsPlayAtOnceFromTheTitleAndFires) {
  ASSERT_EQ(F.OnTitleScreen, 1);
  ASSERT_EQ(F.TitleFrames, 0);
  F.HandleKey(KeyZ);
  EXPECT_EQ(F.OnTitleScreen, 0);
  EXPECT_EQ(Shots(), 1);
  EXPECT_EQ(ShotSounds(), 1);
  F.HandleKey(KeyZ);  // auto-repeat: no interval on this road
  EXPECT_EQ(Shots(), 2);
}

TEST_F(Controls, FireHeldOnTheTitleFiresUntilMoreThan100TitleFramesThenStartsPlay) {
  W.Input.Set(StateButton1, true);
  int Frame = 0;
  // A title frame: count it, then poll; 16 ms apart.
  for (; Frame < 100; ++Frame) {
    F.TitleFrames += 1;
    W.Ticks.Now += 16;
    F.PollInput();
    ASSERT_EQ(F.OnTitleScreen, 1) << "frame " << F.TitleFrames;
  }
  // More than 100 ms apart at 16 ms a frame: every 7th frame, 14 times in 100 frames.
  EXPECT_EQ(Shots(), 14);
  EXPECT_EQ(ShotSounds(), 14);
  F.TitleFrames += 1;
  W.Ticks.Now += 16;
  F.PollInput();
  EXPECT_EQ(F.OnTitleScreen, 0);
  EXPECT_EQ(Shots(), 14) << "the press that starts play fires nothing";
}

TEST_F(Controls, HeldFireInPlayIsSpacedByMoreThan100Ms) {
  F.OnTitleScreen = 0;
  W.Input.Set(StateButton1, true);
  W.Ticks.Now = 101;
  F.PollInput();
  EXPECT_EQ(Shots(), 1);
  W.Ticks.Now = 201;
  F.PollInput();
  EXPECT_EQ(Shots(), 1) << "exactly 100 ms is not enough";
  W.Ticks.Now = 202;
  F.PollInput();
  EXPECT_EQ(Shots(), 2);
  EXPECT_EQ(F.LastShotTick, 202u);
}

TEST_F(Controls, PollPansTheShotAfterResettingItAndTurns) {
  W.Input.Set(StateLeft, true);
  W.Input.Set(StateRight, true);
  F.Player->Rotation.y = 10;
  F.PollInput();
  EXPECT_EQ(W.Input.Updates, 1);
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 10) << "both held cancel out";
  const std::vector<TSoundEvent> Expected = {{TSoundEvent::Pan, WaveMeShoot, 0},
                                             {TSoundEvent::Pan, WaveMeShoot, 10000},
                                             {TSoundEvent::Pan, WaveMeShoot, -10000}};
  EXPECT_EQ(W.Sound.Events, Expected);
  W.Input.Set(StateRight, false);
  F.PollInput();
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 8);
  EXPECT_EQ(W.Sound.Events.back(), (TSoundEvent{TSoundEvent::Pan, WaveMeShoot, 10000}));
}

TEST_F(Controls, AShotFiredByThePollSoundsOnTheSideAwayFromTheTurn) {
  F.OnTitleScreen = 0;
  W.Input.Set(StateLeft, true);
  W.Input.Set(StateButton1, true);
  W.Ticks.Now = 1000;
  F.PollInput();
  // The pan is set before the shot starts, so this very shot is heard on the right.
  const std::vector<TSoundEvent> TurningLeft = {{TSoundEvent::Pan, WaveMeShoot, 0},
                                                {TSoundEvent::Pan, WaveMeShoot, 10000},
                                                {TSoundEvent::Restart, WaveMeShoot, 0}};
  EXPECT_EQ(W.Sound.Events, TurningLeft);

  W.Sound.Events.clear();
  W.Input.Set(StateLeft, false);
  W.Ticks.Now = 2000;
  F.PollInput();
  const std::vector<TSoundEvent> Straight = {{TSoundEvent::Pan, WaveMeShoot, 0},
                                             {TSoundEvent::Restart, WaveMeShoot, 0}};
  EXPECT_EQ(W.Sound.Events, Straight);
}

TEST_F(Controls, EachRoadHasItsOwnSpeedLimits) {
  // Poll: 1 a frame between -8 and 16.
  W.Input.Set(StateUp, true);
  for (int i = 0; i < 20; ++i) F.PollInput();
  EXPECT_FLOAT_EQ(F.Player->Speed, 16);
  W.Input.Set(StateUp, false);
  W.Input.Set(StateDown, true);
  for (int i = 0; i < 30; ++i) F.PollInput();
  EXPECT_FLOAT_EQ(F.Player->Speed, -8);
  W.Input.Set(StateDown, false);

  // Arrows: 1 a key-down between -8 and 8; at 8 or above Up leaves the speed alone.
  F.Player->Speed = 7.5f;
  F.HandleKey(KeyUp);
  EXPECT_FLOAT_EQ(F.Player->Speed, 8);
  F.Player->Speed = 0;
  for (int i = 0; i < 10; ++i) F.HandleKey(KeyDown);
  EXPECT_FLOAT_EQ(F.Player->Speed, -8);
  F.HandleKey(KeyUp);
  EXPECT_FLOAT_EQ(F.Player->Speed, -7);

  // Mouse with the right button: 0.3 an event between -6 and 8.
  F.Player->Speed = 0;
  F.FormMouseMove(ssRight, 500, 400);
  for (int Y = 399; Y > 300; --Y) F.FormMouseMove(ssRight, 500, Y);
  EXPECT_FLOAT_EQ(F.Player->Speed, 8);
  for (int Y = 301; Y < 400; ++Y) F.FormMouseMove(ssRight, 500, Y);
  EXPECT_FLOAT_EQ(F.Player->Speed, -6);
  F.FormMouseMove(0, 500, 300);  // no button: the speed stays
  EXPECT_FLOAT_EQ(F.Player->Speed, -6);
}

TEST_F(Controls, HoldingUpWithAutoRepeatNeverLowersTheSpeed) {
  W.Input.Set(StateUp, true);
  float Last = F.Player->Speed;
  for (int Frame = 1; Frame <= 40; ++Frame) {
    F.PollInput();
    if (Frame % 5 == 0 || Frame % 5 == 2) F.HandleKey(KeyUp);  // repeats 2 and 3 frames apart
    EXPECT_GE(F.Player->Speed, Last) << "frame " << Frame;
    Last = F.Player->Speed;
  }
  EXPECT_FLOAT_EQ(F.Player->Speed, 16);
}

TEST_F(Controls, ArrowKeysTurnTwoDegrees) {
  F.Player->Rotation.y = 90;
  F.HandleKey(KeyLeft);
  F.HandleKey(KeyLeft);
  F.HandleKey(KeyRight);
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 88);
}

TEST_F(Controls, RadarAlphaStepsToExactlyZeroAndOne) {
  ASSERT_FLOAT_EQ(F.RadarAlpha, 0.7f);
  for (int i = 0; i < 6; ++i) F.HandleKey(KeyB);
  EXPECT_GT(F.RadarAlpha, 0);
  F.HandleKey(KeyB);
  EXPECT_EQ(F.RadarAlpha, 0.0f);
  for (int i = 0; i < 9; ++i) F.HandleKey(KeyN);
  EXPECT_LT(F.RadarAlpha, 1);
  F.HandleKey(KeyN);
  EXPECT_EQ(F.RadarAlpha, 1.0f);
  F.HandleKey(KeyN);
  EXPECT_EQ(F.RadarAlpha, 1.0f);
}

TEST_F(Controls, DuringTheGameOverOnlyFNAndBWork) {
  F.OnTitleScreen = 0;
  F.GameOverTimer = 50;
  F.Player->Rotation.y = 30;
  F.Player->Speed = 3;
  for (uint16_t Key : {KeyLeft, KeyRight, KeyUp, KeyDown, KeyZ}) F.HandleKey(Key);
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 30);
  EXPECT_FLOAT_EQ(F.Player->Speed, 3);
  EXPECT_EQ(Shots(), 0);
  EXPECT_TRUE(W.Sound.Events.empty());
  F.HandleKey(KeyF);
  EXPECT_EQ(F.FlatShading, 0);
  F.HandleKey(KeyF);
  EXPECT_EQ(F.FlatShading, 1);
  F.HandleKey(KeyB);
  EXPECT_FLOAT_EQ(F.RadarAlpha, 0.6f);
  F.HandleKey(65);  // A: not a key of the game
  EXPECT_FLOAT_EQ(F.RadarAlpha, 0.6f);
}

TEST_F(Controls, MouseTurnsOneDegreeAPixelAndFiresWithTheLeftButton) {
  F.FormMouseMove(0, 500, 300);
  F.Player->Rotation.y = 0;
  F.FormMouseMove(0, 530, 300);
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 30);
  F.FormMouseMove(ssLeft, 520, 300);
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 20);
  EXPECT_EQ(Shots(), 1);
  F.FormClick();
  EXPECT_EQ(Shots(), 2);
  EXPECT_EQ(F.LastMouseX, 520);
}

TEST_F(Controls, MouseAtTheEdgeWrapsTheCursorWithoutAJumpInHeading) {
  F.FormMouseMove(0, 3, 300);
  F.Player->Rotation.y = 100;
  F.FormMouseMove(0, 0, 300);  // at the left edge: the pointer goes to the right edge
  EXPECT_EQ(W.Cursor.Moves, 1);
  EXPECT_EQ(W.Cursor.LastX, 1024);
  EXPECT_EQ(W.Cursor.LastY, 300) << "the wrap keeps the pointer's height";
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 97);
  F.FormMouseMove(0, 1019, 300);  // the next move, now measured from the right edge
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 92);
  F.FormMouseMove(0, 1022, 300);  // within 2 of the right edge: back to the left
  EXPECT_EQ(W.Cursor.LastX, 0);
  EXPECT_FLOAT_EQ(F.Player->Rotation.y, 95);
  EXPECT_EQ(F.LastMouseX, 0);
}
