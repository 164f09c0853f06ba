// One frame of the world: the player at the edge, aliens moving, turning and
// firing, rockets homing, fragments running out, and the same inputs giving
// the same world.
#include <gtest/gtest.h>

#include <cmath>

#include "FormOnFakes.h"

namespace {

class Behaviour : public ::testing::Test {
 protected:
  void SetUp() override { W.Quiet(); }
  TWorldForm W;
  TWorldUnderTest& F = *W.World;
  TBlob& Alien(int i) { return *(*F.Aliens)[i]; }
};

}  // namespace

TEST_F(Behaviour, PlayerStopsDeadAtTheArenasEdge) {
  F.Player->Position = MakeVector(2590, 0, 0);
  F.Player->Speed = 16;
  F.UpdateWorld();
  EXPECT_FLOAT_EQ(F.Player->Position.x, 2600);
  EXPECT_EQ(F.Player->Speed, 0);

  F.Player->Position = MakeVector(0, 0, -2595);
  F.Player->Rotation.y = 270;
  F.Player->Speed = -10;  // backwards: +Z
  F.UpdateWorld();
  EXPECT_FLOAT_EQ(F.Player->Position.z, -2585);
  F.Player->Speed = 10;
  for (int i = 0; i < 3; ++i) F.UpdateWorld();
  EXPECT_FLOAT_EQ(F.Player->Position.z, -2600);
  EXPECT_EQ(F.Player->Speed, 0);
  EXPECT_LE(std::abs(F.Player->Position.x), 2600);
}

TEST_F(Behaviour, AlienOfKind3FiresAimedOnItsFirstMovingFrame) {
  for (int32_t& R : F.Released) R = 0;
  F.Released[0] = 1000;
  F.Released[4] = 1000;  // only the one alien of kind 3 may enter
  F.UpdateWorld();
  TBlob& A = Alien(5);
  ASSERT_EQ(A.State, 1);
  EXPECT_EQ(W.ActiveCount(*F.AlienShots), 0) << "entry frame: no fire yet";
  const float Heading = A.Rotation.y;
  F.UpdateWorld();
  ASSERT_EQ(W.ActiveCount(*F.AlienShots), 1);
  EXPECT_EQ(A.Fired, 1);
  EXPECT_EQ(A.FireDelay, 500);
  EXPECT_EQ(A.Rotation.y, Heading) << "its own heading is put back";
  const TBlob& B = *(*F.AlienShots)[0];
  EXPECT_EQ(B.Rotation.y, HeadingTo(RoundHalfEven(A.Position.x), RoundHalfEven(A.Position.z), 0, 0));
  F.UpdateWorld();
  EXPECT_EQ(A.FireDelay, 499);
  EXPECT_EQ(A.Fired, 0) << "cleared at every moving frame";
}

TEST_F(Behaviour, AlienOfKind2NeverAimsWhileMoving) {
  TBlob& A = TWorldForm::Place(Alien(0), 1000, 1000, 10);
  A.Speed = 1;
  A.Target = MakeVector(-2000, 0, -2000);
  A.Rotation.y = 225;
  for (int i = 0; i < 20; ++i) F.UpdateAlien(A);
  EXPECT_EQ(W.ActiveCount(*F.AlienShots), 0);
  EXPECT_EQ(A.State, 1);
}

TEST_F(Behaviour, FireDelayByKind) {
  TBlob& Eye = TWorldForm::Place(Alien(10), 1000, 1000, 10);
  TBlob& Three = TWorldForm::Place(Alien(15), -1000, 1000, 10);
  for (TBlob* A : {&Eye, &Three}) A->Target = MakeVector(A->Position.x, 0, -2600);
  F.UpdateAlien(Eye);
  F.UpdateAlien(Three);
  EXPECT_GE(Eye.FireDelay, 250);
  EXPECT_LT(Eye.FireDelay, 1250);
  EXPECT_EQ(Three.FireDelay, 100);
}

TEST_F(Behaviour, AlienIntoAnObstacleStepsBackAndTurns) {
  TWorldForm::Place(*(*F.Obstacles)[0], 1010, 0, 15, 0);
  TBlob& A = TWorldForm::Place(Alien(0), 1000, 0, 4);
  A.Speed = 8;
  A.Rotation.y = 0;  // towards the obstacle's centre
  A.Target = MakeVector(2000, 0, 0);
  F.RandSeed = 0;
  F.UpdateAlien(A);
  EXPECT_FLOAT_EQ(A.Position.x, 1000);
  EXPECT_EQ(A.State, 2);
  // The new destination and direction come from the next three draws: -2600, -2437, then right.
  EXPECT_FLOAT_EQ(A.Target.x, -2600);
  EXPECT_FLOAT_EQ(A.Target.z, -2437);
  EXPECT_EQ(A.TurnDir, 1);
  EXPECT_EQ(A.AuxA, HeadingTo(1000, 0, -2600, -2437));
}

// An alien that enters at a teleport inside an obstacle walks out of it: a
// step away from the centre stands, only steps towards it are undone.
TEST_F(Behaviour, AlienInsideAnObstacleWalksOut) {
  TBlob& O = TWorldForm::Place(*(*F.Obstacles)[0], 1000, 0, 40, 0);
  TBlob& A = TWorldForm::Place(Alien(0), 1000, 0, 4);
  A.Speed = 4;
  A.Target = MakeVector(2000, 0, 0);
  for (int i = 0; i < 15; ++i) F.UpdateAlien(A);
  EXPECT_FLOAT_EQ(A.Position.x, 1060);
  EXPECT_EQ(A.State, 1) << "never turned back";
  EXPECT_FALSE(A.Touches(*F.Obstacles));

  // Heading back in: the step that comes nearer is undone.
  A.Position = MakeVector(1030, 0, 0);
  A.Rotation.y = 180;
  A.Target = MakeVector(-2000, 0, 0);
  F.UpdateAlien(A);
  EXPECT_FLOAT_EQ(A.Position.x, 1030);
  EXPECT_EQ(A.State, 2);
  EXPECT_EQ(O.State, 0);
}

TEST_F(Behaviour, TurnWithinOneDegreeEndsOnTheNextFrameWithoutMoving) {
  TBlob& A = TWorldForm::Place(Alien(0), 500, 500, 10, 2);
  A.Rotation.y = 100;
  A.AuxA = 101;
  A.Speed = 10;
  A.Target = MakeVector(500, 0, 2500);
  F.UpdateAlien(A);
  EXPECT_EQ(A.State, 1);
  EXPECT_EQ(A.Rotation.y, 90);
  EXPECT_FLOAT_EQ(A.Position.x, 500);
  EXPECT_FLOAT_EQ(A.Position.z, 500);
  EXPECT_FLOAT_EQ(A.BobStep, 0.5f);
}

TEST_F(Behaviour, TurningAlienTurnsOneDegreeAndWraps) {
  TBlob& A = TWorldForm::Place(Alien(0), 500, 500, 10, 2);
  A.Rotation.y = 0.5f;
  A.TurnDir = -1;
  A.AuxA = 200;
  F.UpdateAlien(A);
  EXPECT_FLOAT_EQ(A.Rotation.y, 359.5f);
  EXPECT_EQ(A.State, 2);
}

TEST_F(Behaviour, BurstIsHeldBackWithin900OnEitherAxis) {
  // The player at the origin; each alien turns onto the player's heading this frame.
  struct Case { float X, Z, Heading; };
  for (Case C : {Case{500, 2000, 256}, Case{2000, 500, 194}}) {
    TBlob& A = TWorldForm::Place(Alien(0), C.X, C.Z, 10, 2);
    A.Rotation.y = C.Heading - 1;
    A.TurnDir = 1;
    A.AuxA = 10;
    A.Fired = 0;
    F.UpdateAlien(A);
    EXPECT_FLOAT_EQ(A.Rotation.y, C.Heading);
    EXPECT_EQ(W.ActiveCount(*F.AlienShots), 0) << C.X << "," << C.Z;
  }
}

TEST_F(Behaviour, BurstFiresThreeBulletsSideBySide) {
  TBlob& A = TWorldForm::Place(Alien(0), 1000, 2000, 10, 2);
  A.Rotation.y = 242;
  A.TurnDir = 1;
  A.AuxA = 10;
  F.UpdateAlien(A);  // heading 243 = the heading to the player at the origin
  ASSERT_EQ(W.ActiveCount(*F.AlienShots), 3);
  EXPECT_EQ(A.Fired, 1);
  EXPECT_FLOAT_EQ(A.Position.x, 1000) << "the alien is put back";
  const TBlob& B0 = *(*F.AlienShots)[0];
  const TBlob& B1 = *(*F.AlienShots)[1];
  const TBlob& B2 = *(*F.AlienShots)[2];
  EXPECT_FLOAT_EQ(B0.Position.x, 1000);
  EXPECT_FLOAT_EQ(B0.Position.z, 2000);
  // 50 * (cos 333, sin 333) and 50 * (cos 153, sin 153).
  EXPECT_NEAR(B1.Position.x, 1044.5503f, 1e-3);
  EXPECT_NEAR(B1.Position.z, 1977.3005f, 1e-3);
  EXPECT_NEAR(B2.Position.x, 955.4497f, 1e-3);
  EXPECT_NEAR(B2.Position.z, 2022.6995f, 1e-3);
  for (const TBlob* B : {&B0, &B1, &B2}) EXPECT_EQ(B->Rotation.y, 243);
}

TEST_F(Behaviour, BurstWithOneFreeBulletFiresFromTheCentreAndRecordsNoFire) {
  for (int i = 1; i < 5; ++i) (*F.AlienShots)[i]->SetActive(true);
  TBlob& A = TWorldForm::Place(Alien(0), 1000, 2000, 10, 2);
  A.Rotation.y = 242;
  A.TurnDir = 1;
  A.AuxA = 10;
  F.UpdateAlien(A);
  EXPECT_EQ(W.ActiveCount(*F.AlienShots), 5);
  EXPECT_FLOAT_EQ((*F.AlienShots)[0]->Position.x, 1000);
  EXPECT_EQ(A.Fired, 0);
}

TEST_F(Behaviour, RocketStepHomesOnThePlayer) {
  TBlob& R = TWorldForm::Place(*(*F.Rockets)[0], 1000, 0, 5);
  R.Speed = 8;
  R.Rotation.y = 37;
  F.Player->Position = MakeVector(0, 0, 0);
  F.UpdateRocket(R);
  EXPECT_EQ(R.Rotation.y, 180);
  EXPECT_FLOAT_EQ(R.Position.x, 992);
  EXPECT_NEAR(R.Position.z, 0, 1e-3);
  F.Player->Position = MakeVector(992, 0, 500);
  F.UpdateRocket(R);
  EXPECT_EQ(R.Rotation.y, 90);
  EXPECT_NEAR(R.Position.z, 8, 1e-3);
  EXPECT_FLOAT_EQ(R.Target.z, 500);
}

TEST_F(Behaviour, RocketIntoAnObstacleCountsAKillAndScoresNothing) {
  TWorldForm::Place(*(*F.Obstacles)[0], 990, 0, 5, 0);
  TBlob& R = TWorldForm::Place(*(*F.Rockets)[0], 1000, 0, 5);
  R.Speed = 8;
  F.UpdateRocket(R);
  EXPECT_EQ(R.State, 3);
  EXPECT_FLOAT_EQ(R.Position.x, 1000);
  EXPECT_EQ(F.LevelKills, 1);
  EXPECT_EQ(F.Score, 0);
}

TEST_F(Behaviour, FragmentThrownWithTimer0IsRemovedOnItsFirstUpdate) {
  TBlob Source;
  Source.Position = MakeVector(5, 6, 7);
  // Two seeds before 0: the third draw (the fragment's Timer) sees seed 1, RandomInt(100) = 0.
  F.RandSeed = 4275872522u;
  F.ThrowFragment(Source, MakeVector(1, 0, 1));
  const TBlob& Fr = *(*F.Fragments)[0];
  ASSERT_TRUE(Fr.Active);
  EXPECT_EQ(Fr.Timer, 0);
  EXPECT_FLOAT_EQ(Fr.BobMax, 100) << "the second draw was 0: 0 * 250 + 100";
  const TVec3 At = Fr.Position;
  F.UpdateFragments();
  EXPECT_FALSE(Fr.Active);
  EXPECT_EQ(Fr.Position.x, At.x);
  EXPECT_EQ(Fr.Position.z, At.z);
}

TEST_F(Behaviour, FragmentDriftsBobsAndSpinsUntilItsTimerRunsOut) {
  TBlob& Fr = *(*F.Fragments)[3];
  Fr.SetActive(true);
  Fr.Timer = 3;
  Fr.AuxA = 1;
  Fr.AuxB = -1;
  Fr.AuxC = 3;
  Fr.BobStep = 2;
  Fr.BobMax = 100;
  Fr.Rotation.y = 359;
  F.UpdateFragments();
  F.UpdateFragments();
  EXPECT_TRUE(Fr.Active);
  EXPECT_FLOAT_EQ(Fr.Position.x, 2);
  EXPECT_FLOAT_EQ(Fr.Position.z, -2);
  EXPECT_FLOAT_EQ(Fr.Bob, 4);
  EXPECT_FLOAT_EQ(Fr.Rotation.y, 365) << "not wrapped";
  F.UpdateFragments();
  EXPECT_FALSE(Fr.Active);
}

TEST_F(Behaviour, ShotSpinsFourDegreesAFrameAndExpiresAfter199Moves) {
  F.FirePlayerShot();
  TBlob& S = *(*F.PlayerShots)[0];
  S.Roll = 358;
  F.UpdateWorld();
  EXPECT_FLOAT_EQ(S.Roll, 2);
  EXPECT_FLOAT_EQ(S.Position.x, 18);
  EXPECT_FLOAT_EQ(S.Bob, 1.75f);
  for (int i = 1; i < 198; ++i) F.UpdateWorld();
  EXPECT_TRUE(S.Active);
  F.UpdateWorld();
  EXPECT_FALSE(S.Active);
}

TEST(WorldDeterminism, SameInputsGiveTheSameWorld) {
  TWorldForm A, B;
  for (TWorldForm* W : {&A, &B}) {
    TWorldUnderTest& F = *W->World;
    F.OnTitleScreen = 0;
    F.Level = 9;
    for (int Frame = 0; Frame < 1500; ++Frame) {
      F.Player->Rotation.y += 1;
      F.Player->Speed = 6;
      if (Frame % 9 == 0) F.FirePlayerShot();
      F.UpdateWorld();
      for (auto& R : *F.Rockets) F.UpdateRocket(*R);
    }
  }
  const TWorldUnderTest& FA = *A.World;
  const TWorldUnderTest& FB = *B.World;
  EXPECT_EQ(FA.RandSeed, FB.RandSeed);
  EXPECT_EQ(FA.Score, FB.Score);
  EXPECT_EQ(FA.Hits(), FB.Hits());
  for (size_t i = 0; i < FA.Aliens->size(); ++i) {
    EXPECT_EQ((*FA.Aliens)[i]->Position.x, (*FB.Aliens)[i]->Position.x);
    EXPECT_EQ((*FA.Aliens)[i]->Position.z, (*FB.Aliens)[i]->Position.z);
  }
  EXPECT_EQ(A.Sound.Events, B.Sound.Events);
  EXPECT_NE(FA.RandSeed, 0u);
}
