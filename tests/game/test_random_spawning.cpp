// The generator, the creation routines, the launches and the entry of aliens
// and rockets under the level table. Expected generator values were worked out
// by hand from seed := seed * 134775813 + 1 (mod 2^32):
//   seeds 1, 134775814, 3698175007, 870078620, 1172187917, ...
//   RandomInt(5201) of those: 0, 163, 4478, 1053 (high 32 bits of seed * 5201).
#include <gtest/gtest.h>

#include "FormOnFakes.h"
#include "ModelSet.h"

namespace {

class Spawning : public ::testing::Test {
 protected:
  TWorldForm W;
  TWorldUnderTest& F = *W.World;
};

int StateNonZero(const TBlobList& List, uint8_t Kind) {
  int N = 0;
  for (const auto& B : List) N += (B->Kind == Kind && B->State != 0);
  return N;
}

}  // namespace

TEST_F(Spawning, GeneratorMatchesTheHandWorkedSequence) {
  F.RandSeed = 0;
  EXPECT_EQ(F.RandomInt(5201), 0u);
  EXPECT_EQ(F.RandSeed, 1u);
  EXPECT_EQ(F.RandomInt(5201), 163u);
  EXPECT_EQ(F.RandSeed, 134775814u);
  EXPECT_EQ(F.RandomInt(5201), 4478u);
  EXPECT_EQ(F.RandSeed, 3698175007u);
  EXPECT_EQ(F.RandomInt(100), 20u);
  EXPECT_EQ(F.RandSeed, 870078620u);

  F.RandSeed = 0;
  EXPECT_DOUBLE_EQ(F.RandomFloat(), 1.0 / 4294967296.0);
  EXPECT_DOUBLE_EQ(F.RandomFloat(), 134775814.0 / 4294967296.0);
}

TEST_F(Spawning, TheFirstObstacleTakesTheRunsFirstTwoDraws) {
  // Obstacles are the first objects placed at random: X then Z.
  EXPECT_FLOAT_EQ((*F.Obstacles)[0]->Position.x, -2600);
  EXPECT_FLOAT_EQ((*F.Obstacles)[0]->Position.z, -2437);
  EXPECT_FLOAT_EQ((*F.Obstacles)[1]->Position.x, 1878);
  EXPECT_FLOAT_EQ((*F.Obstacles)[1]->Position.z, -1547);
}

TEST_F(Spawning, RandomRangeIsInclusive) {
  bool Seen[3] = {false, false, false};
  for (int i = 0; i < 200; ++i) {
    const int32_t V = F.RandomRange(-1, 1);
    ASSERT_GE(V, -1);
    ASSERT_LE(V, 1);
    Seen[V + 1] = true;
  }
  EXPECT_TRUE(Seen[0] && Seen[1] && Seen[2]);
  const uint32_t Before = F.RandSeed;
  EXPECT_EQ(F.RandomRange(5, 5), 5);
  EXPECT_NE(F.RandSeed, Before) << "a range of one value still draws";
}

TEST_F(Spawning, PrimaryColourByDraw) {
  TVec3 C;
  F.RandSeed = 0;  // next seed 1: RandomInt(3) = 0, red
  F.RandomPrimaryColour(C);
  EXPECT_EQ(C.x, 1);
  EXPECT_EQ(C.y, 0);
  EXPECT_EQ(C.z, 0);
  F.RandSeed = 134775814;  // next seed 3698175007: RandomInt(3) = 2, blue
  F.RandomPrimaryColour(C);
  EXPECT_EQ(C.x, 0);
  EXPECT_EQ(C.y, 0);
  EXPECT_EQ(C.z, 1);
}

TEST_F(Spawning, NewGameFillsEveryListWithItsCountsAndKinds) {
  EXPECT_EQ(F.PlayerShots->size(), 15u);
  EXPECT_EQ(F.AlienShots->size(), 5u);
  ASSERT_EQ(F.Obstacles->size(), 25u);
  ASSERT_EQ(F.Teleports->size(), 8u);
  ASSERT_EQ(F.Aliens->size(), 20u);
  ASSERT_EQ(F.Rockets->size(), 5u);
  EXPECT_EQ(F.Fragments->size(), 100u);
  ASSERT_EQ(F.FloorTiles->size(), 100u);
  for (size_t i = 0; i < 20; ++i) EXPECT_EQ((*F.Aliens)[i]->Kind, 2 + i / 5) << i;
  for (auto& R : *F.Rockets) EXPECT_EQ(R->Kind, 6);
  for (auto& O : *F.Obstacles) EXPECT_TRUE(O->Active);
  for (auto& T : *F.Teleports) {
    EXPECT_FALSE(T->Active);
    EXPECT_EQ(T->Radius, 10);
  }
  for (const TBlobList* L : {F.Obstacles.get(), F.Teleports.get(), F.FloorTiles.get()})
    for (auto& B : *L) {
      EXPECT_LE(std::abs(B->Position.x), 2600);
      EXPECT_LE(std::abs(B->Position.z), 2600);
      EXPECT_EQ(B->Position.y, 0);
    }
}

TEST_F(Spawning, ObstaclesTakeTheObstacleModelsRadius) {
  TModelSet Models;
  Models[ObstacleSlot] = std::make_unique<TMS3DObj>();
  Models[ObstacleSlot]->MaxRadius = 42;
  const TModelRadii Radii = RadiiOf(Models);
  EXPECT_FLOAT_EQ(Radii.Obstacle, 42);
  EXPECT_FLOAT_EQ(Radii.Rocket, 0) << "a model not loaded gives 0";
  F.StartUp(Radii);
  for (auto& O : *F.Obstacles) EXPECT_FLOAT_EQ(O->Radius, 42) << "made before the start-up";
  F.Obstacles->clear();
  F.CreateObstacles();
  for (auto& O : *F.Obstacles) EXPECT_FLOAT_EQ(O->Radius, 42);
}

TEST_F(Spawning, FirstPlayFrameOfRow0LetsInTwoAlien1OneAlien2AndOneRocket) {
  F.OnTitleScreen = 0;
  F.UpdateWorld();
  EXPECT_EQ(StateNonZero(*F.Aliens, 2), 2);
  EXPECT_EQ(StateNonZero(*F.Aliens, 3), 1);
  EXPECT_EQ(StateNonZero(*F.Aliens, 4), 0);
  EXPECT_EQ(StateNonZero(*F.Aliens, 5), 0);
  EXPECT_EQ(StateNonZero(*F.Rockets, 6), 1);
  EXPECT_EQ(F.Released[0], 2);
  EXPECT_EQ(F.Released[1], 1);
  EXPECT_EQ(F.Released[4], 1);
  // The first waiting ones enter first, each at a teleport.
  EXPECT_EQ((*F.Aliens)[0]->State, 1);
  EXPECT_EQ((*F.Aliens)[1]->State, 1);
  EXPECT_EQ((*F.Aliens)[2]->State, 0);
  bool AtTeleport = false;
  for (auto& T : *F.Teleports)
    AtTeleport |= T->Position.x == (*F.Aliens)[0]->Position.x && T->Position.z == (*F.Aliens)[0]->Position.z;
  EXPECT_TRUE(AtTeleport);
  const TBlob& A = *(*F.Aliens)[0];
  EXPECT_GE(A.Speed, 8);
  EXPECT_LT(A.Speed, 14);
  EXPECT_EQ(A.DeathTimer, 250);
  EXPECT_TRUE(A.OnArrive);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Play, WaveRocketHum), 1);

  // However long row 0 runs, no alien of kind 4 or 5 enters.
  for (int i = 0; i < 3000; ++i) {
    F.UpdateWorld();
    ASSERT_EQ(F.Released[2] + F.Released[3], 0);
    ASSERT_EQ(StateNonZero(*F.Aliens, 4) + StateNonZero(*F.Aliens, 5), 0);
  }
}

TEST_F(Spawning, Row4ReleasesOnlyRocketsAtMostTwoAtOnceTenInAll) {
  F.Level = 4;
  int MostAtOnce = 0;
  auto Check = [&] {
    MostAtOnce = std::max(MostAtOnce, TBlob::CountKind(*F.Rockets, 6));
    for (auto& A : *F.Aliens) ASSERT_EQ(A->State, 0);
  };
  // Two rocket steps a frame, as in play: the world update's and the one after the level check.
  for (int Frame = 0; Frame < 12000; ++Frame) {
    F.UpdateWorld();
    Check();
    for (auto& R : *F.Rockets) F.UpdateRocket(*R);
    Check();
    ASSERT_LE(F.Released[4], 10);
  }
  EXPECT_EQ(MostAtOnce, 2);
  EXPECT_EQ(F.Released[4], 10);
  EXPECT_EQ(F.Released[0] + F.Released[1] + F.Released[2] + F.Released[3], 0);
  EXPECT_GE(F.HitsByRocket, 1) << "the rockets homed in on the player";
}

TEST_F(Spawning, RocketEntersBeyondTheEdgeAwayFromThePlayer) {
  TBlob& R = *(*F.Rockets)[0];
  F.Player->Position = MakeVector(0, 0, 0);
  // First draw -2600 (negative): X = -2600 - 0 + 5200.
  F.RandSeed = 0;
  F.EnterRocket(R);
  EXPECT_FLOAT_EQ(R.Position.x, 2600);
  EXPECT_FLOAT_EQ(R.Position.z, -2437);
  EXPECT_EQ(R.State, 1);
  EXPECT_TRUE(R.Active);
  EXPECT_EQ(R.DeathTimer, 250);
  EXPECT_EQ(R.Rotation.y, 137) << "atan(2437 / -2600) = -43.1, plus 180";

  // First draw 1878 (not negative): X = 1878 + 0 + 5200; speed from the third draw.
  TBlob& R2 = *(*F.Rockets)[1];
  F.Level = 9;  // room for a second rocket
  F.RandSeed = 134775814;
  F.EnterRocket(R2);
  EXPECT_FLOAT_EQ(R2.Position.x, 7078);
  EXPECT_FLOAT_EQ(R2.Position.z, -1547);
  EXPECT_FLOAT_EQ(R2.Speed, 6.8187637f);
  EXPECT_EQ(R2.Rotation.y, 168) << "atan(1547 / -7078) = -12.3, plus 180";
  EXPECT_FLOAT_EQ(R2.Target.x, 0);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Play, WaveRocketHum), 2);
}

TEST_F(Spawning, ARocketEnteringDuringTheGameOverIsNotHeard) {
  F.Level = 9;
  F.GameOverTimer = 40;
  F.EnterRocket(*(*F.Rockets)[0]);
  EXPECT_EQ((*F.Rockets)[0]->State, 1) << "it enters all the same";
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Play, WaveRocketHum), 0);
}

TEST_F(Spawning, RocketEntryShiftsByThePlayersX) {
  F.Level = 9;
  F.Player->Position.x = 100;
  F.RandSeed = 0;
  F.EnterRocket(*(*F.Rockets)[0]);
  EXPECT_FLOAT_EQ((*F.Rockets)[0]->Position.x, 2500);  // -2600 - 100 + 5200
  F.RandSeed = 134775814;
  F.EnterRocket(*(*F.Rockets)[1]);
  EXPECT_FLOAT_EQ((*F.Rockets)[1]->Position.x, 7178);  // 1878 + 100 + 5200
}

TEST_F(Spawning, RocketWaitsOutItsTimerBeforeTheLevelTableIsAsked) {
  TBlob& R = *(*F.Rockets)[0];
  R.Timer = 2;
  F.EnterRocket(R);
  F.EnterRocket(R);
  EXPECT_EQ(R.Timer, 0);
  EXPECT_EQ(R.State, 0);
  EXPECT_EQ(F.Released[4], 0);
  F.EnterRocket(R);
  EXPECT_EQ(R.State, 1);
  EXPECT_EQ(F.Released[4], 1);
}

TEST_F(Spawning, FiringWithEveryShotInFlightDoesNothingAndIsSilent) {
  F.Player->Position = MakeVector(10, 0, 20);
  F.Player->Rotation.y = 33;
  for (int i = 0; i < 15; ++i) F.FirePlayerShot();
  const TBlob& S = *(*F.PlayerShots)[0];
  EXPECT_FLOAT_EQ(S.Position.x, 10);
  EXPECT_FLOAT_EQ(S.Position.y, -20);
  EXPECT_FLOAT_EQ(S.Position.z, 20);
  EXPECT_FLOAT_EQ(S.Rotation.y, 33);
  EXPECT_FLOAT_EQ(S.Speed, 18);
  EXPECT_FLOAT_EQ(S.BobStep, 1.75f);
  EXPECT_FLOAT_EQ(S.BobMax, 36);
  EXPECT_EQ(W.ActiveCount(*F.PlayerShots), 15);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveMeShoot), 15);
  F.FirePlayerShot();
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveMeShoot), 15);
}

TEST_F(Spawning, AlienBulletLaunchFailsWhenAllFiveFly) {
  TBlob& A = TWorldForm::Place(*(*F.Aliens)[5], 100, 200, 10);
  A.Rotation.y = 77;
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(F.LaunchAlienBullet(A));
  const TBlob& B = *(*F.AlienShots)[4];
  EXPECT_FLOAT_EQ(B.Position.x, 100);
  EXPECT_FLOAT_EQ(B.Rotation.y, 77);
  EXPECT_FLOAT_EQ(B.Speed, 12);
  EXPECT_EQ(B.Lifetime, 1200);
  EXPECT_FALSE(F.LaunchAlienBullet(A));
}
