// Contacts, hits and scoring: what each hit marks, scores, counts and plays,
// explosions, and objects waiting to come back.
#include <gtest/gtest.h>

#include "FormOnFakes.h"

namespace {

class Collisions : public ::testing::Test {
 protected:
  void SetUp() override { W.Quiet(); }
  TWorldForm W;
  TWorldUnderTest& F = *W.World;
  TBlob& Alien(int i) { return *(*F.Aliens)[i]; }
  TBlob& Rocket(int i) { return *(*F.Rockets)[i]; }
  // A player's shot in flight at (X, Z).
  TBlob& Shot(float X, float Z) {
    TBlob& S = TWorldForm::Place(*(*F.PlayerShots)[0], X, Z, 5, 0);
    S.Speed = 18;
    return S;
  }
  int Fragments() { return W.ActiveCount(*F.Fragments); }
  bool AllFragments(const TVec3& C) {
    for (auto& Fr : *F.Fragments)
      if (Fr->Active && (Fr->Colour.x != C.x || Fr->Colour.y != C.y || Fr->Colour.z != C.z)) return false;
    return true;
  }
};

}  // namespace

TEST_F(Collisions, ShotOverAnObstacleAndAnAlienScoresOnceAndExplodesOnce) {
  TWorldForm::Place(*(*F.Obstacles)[0], 500, 0, 10, 0);
  TBlob& A = TWorldForm::Place(Alien(0), 505, 0, 10);
  TBlob& S = Shot(500, 0);
  F.UpdatePlayerShot(S);
  EXPECT_EQ(F.Score, 500);
  EXPECT_EQ(F.LevelKills, 1);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveShotObstacle), 1);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveAlienHit), 1);
  EXPECT_FALSE(S.Active);
  EXPECT_EQ(A.State, 3);
  EXPECT_GE(Fragments(), 25);
  EXPECT_LE(Fragments(), 34);
  EXPECT_TRUE(AllFragments(MakeVector(1, 1, 1))) << "a shot bursts white";
}

TEST_F(Collisions, ShotOverTwoAliensScores1000AndTwoKills) {
  TWorldForm::Place(Alien(0), 300, 0, 10);
  TWorldForm::Place(Alien(5), 300, 8, 10, 2);
  F.UpdatePlayerShot(Shot(300, 4));
  EXPECT_EQ(F.Score, 1000);
  EXPECT_EQ(F.LevelKills, 2);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveAlienHit), 2);
}

TEST_F(Collisions, ShotThroughAnAlienBulletScores100AndNoKill) {
  TBlob& B = TWorldForm::Place(*(*F.AlienShots)[0], 700, 700, 5, 0);
  F.UpdatePlayerShot(Shot(700, 702));
  EXPECT_EQ(F.Score, 100);
  EXPECT_EQ(F.LevelKills, 0);
  EXPECT_EQ(B.State, 3);
  EXPECT_TRUE(W.Sound.Events.empty()) << "a bullet hit makes no sound";
  const int ShotFragments = Fragments();
  F.UpdateAlienShot(B);  // the bullet step of the same frame
  EXPECT_FALSE(B.Active);
  EXPECT_EQ(B.State, 0);
  EXPECT_GE(Fragments() - ShotFragments, 25);
  int Magenta = 0;
  for (auto& Fr : *F.Fragments) Magenta += Fr->Active && Fr->Colour.x == 1 && Fr->Colour.y == 0 && Fr->Colour.z == 1;
  EXPECT_EQ(Magenta, Fragments() - ShotFragments);
}

TEST_F(Collisions, ShotHittingARocketScores1000AndPlaysTheRocketHit) {
  TBlob& R = TWorldForm::Place(Rocket(0), -400, 0, 10);
  F.UpdatePlayerShot(Shot(-400, 0));
  EXPECT_EQ(F.Score, 1000);
  EXPECT_EQ(F.LevelKills, 1);
  EXPECT_EQ(R.State, 3);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveRockertHit), 1);
}

TEST_F(Collisions, ShotThatHitsNothingMovesOn) {
  TBlob& S = Shot(0, 0);
  F.UpdatePlayerShot(S);
  EXPECT_TRUE(S.Active);
  EXPECT_FLOAT_EQ(S.Position.x, 18);
  EXPECT_EQ(Fragments(), 0);
}

TEST_F(Collisions, AlienBulletIntoAnObstacleVanishesQuietly) {
  TWorldForm::Place(*(*F.Obstacles)[0], 50, 50, 10, 0);
  TBlob& B = TWorldForm::Place(*(*F.AlienShots)[0], 55, 50, 5, 0);
  F.UpdateAlienShot(B);
  EXPECT_FALSE(B.Active);
  EXPECT_EQ(Fragments(), 0);
  EXPECT_TRUE(W.Sound.Events.empty());
  EXPECT_EQ(F.Score, 0);
}

TEST_F(Collisions, AlienContactCostsOneHitUntilItEnds) {
  for (int i : {0, 1}) {
    TBlob& A = TWorldForm::Place(Alien(i), 5.0f * i, 0, 10);
    A.Target = MakeVector(2000, 0, 2000);  // speed 0: they stay on the player
  }
  for (int Frame = 0; Frame < 10; ++Frame) F.UpdateWorld();
  EXPECT_EQ(F.HitsByAlien, 1) << "two aliens resting on the player for 10 frames";
  EXPECT_EQ(F.Score, 0);
  EXPECT_EQ(Alien(0).State, 1) << "touching an alien does not hurt it";
  for (int i : {0, 1}) Alien(i).Position.x += 500;
  F.UpdateWorld();
  for (int i : {0, 1}) Alien(i).Position.x -= 500;
  F.UpdateWorld();
  EXPECT_EQ(F.HitsByAlien, 2) << "a new contact after a frame apart";
  F.NewGame();
  EXPECT_EQ(F.TouchingAlien, 0);
}

TEST_F(Collisions, RammingARocketCostsALifeCountsAKillScoresNothing) {
  TBlob& R = TWorldForm::Place(Rocket(0), 10, 0, 10);
  TBlob& R2 = TWorldForm::Place(Rocket(1), -10, 0, 10);
  F.CheckPlayerContacts();
  EXPECT_EQ(F.HitsByRocket, 1) << "two rockets at once are still one hit";
  EXPECT_EQ(F.LevelKills, 1);
  EXPECT_EQ(F.Score, 0);
  EXPECT_EQ(R.State, 3);
  EXPECT_EQ(R2.State, 3);
  EXPECT_EQ(Fragments(), 0) << "it explodes at its own next step";
  F.UpdateRocket(R);
  EXPECT_GE(Fragments(), 25);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Stop, WaveRocketHum), 1);
}

TEST_F(Collisions, AlienBulletOnThePlayerIsAHitAndBurstsNextFrame) {
  TBlob& B = TWorldForm::Place(*(*F.AlienShots)[0], 3, 3, 4, 0);
  B.Speed = 0;
  F.CheckPlayerContacts();
  EXPECT_EQ(F.HitsByAlienShot, 1);
  EXPECT_EQ(B.State, 3);
  F.UpdateWorld();
  EXPECT_FALSE(B.Active);
  EXPECT_EQ(F.HitsByAlienShot, 1) << "a bullet in State 3 is not felt again";
  EXPECT_GE(Fragments(), 25);
}

TEST_F(Collisions, ExplodingRocketStopsTheHumAtEveryStepAndBurstsOnce) {
  TBlob& R = TWorldForm::Place(Rocket(0), 800, 800, 10, 3);
  R.DeathTimer = 250;
  R.Exploded = 0;
  F.UpdateRocket(R);
  const int Thrown = Fragments();
  EXPECT_GE(Thrown, 25);
  EXPECT_LE(Thrown, 34);
  F.UpdateRocket(R);
  F.UpdateRocket(R);
  EXPECT_EQ(Fragments(), Thrown);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Stop, WaveRocketHum), 3);
  EXPECT_EQ(R.DeathTimer, 247);
  // One random primary colour for the whole burst.
  const TVec3 C = (*F.Fragments)[0]->Colour;
  EXPECT_EQ(C.x + C.y + C.z, 1);
  EXPECT_TRUE(AllFragments(C));
}

TEST_F(Collisions, RecycledAlienAtItsTeleportIsNeitherShotNorFelt) {
  TBlob& A = TWorldForm::Place(Alien(0), 100, 100, 10, 3);
  A.Exploded = 1;
  A.DeathTimer = 1;
  F.UpdateAlien(A);
  ASSERT_EQ(A.State, 0);
  EXPECT_FALSE(A.Active) << "out of play while it waits";
  bool AtTeleport = false;
  for (auto& T : *F.Teleports) AtTeleport |= T->Position.x == A.Position.x && T->Position.z == A.Position.z;
  EXPECT_TRUE(AtTeleport);

  TBlob& S = Shot(A.Position.x, A.Position.z);
  F.UpdatePlayerShot(S);
  EXPECT_EQ(F.Score, 0);
  EXPECT_EQ(F.LevelKills, 0);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveAlienHit), 0);
  F.Player->Position = A.Position;
  F.CheckPlayerContacts();
  EXPECT_EQ(F.Hits(), 0);

  // It enters again when the level table allows, inactive or not.
  F.Released[0] = 0;
  F.UpdateAlien(A);
  EXPECT_EQ(A.State, 1);
  EXPECT_TRUE(A.Active);
}

TEST_F(Collisions, RecycledRocketWaitsOutOfPlayAndCountsDown) {
  TBlob& R = TWorldForm::Place(Rocket(0), 100, 100, 10, 3);
  R.Exploded = 1;
  R.DeathTimer = 1;
  F.Player->Position = MakeVector(0, 0, 0);
  F.UpdateRocket(R);
  ASSERT_EQ(R.State, 0);
  EXPECT_FALSE(R.Active);
  EXPECT_GE(R.Position.x, 2600) << "placed beyond the edge, away from the player";
  EXPECT_GE(R.Timer, 0);
  EXPECT_LT(R.Timer, 500);
  const int32_t Timer = R.Timer;

  F.UpdatePlayerShot(Shot(R.Position.x, R.Position.z));
  F.Player->Position = R.Position;
  F.CheckPlayerContacts();
  EXPECT_EQ(F.Score, 0);
  EXPECT_EQ(F.Hits(), 0);
  if (Timer > 0) {
    F.UpdateRocket(R);
    EXPECT_EQ(R.Timer, Timer - 1) << "the launch countdown runs while it waits";
  }
}

TEST_F(Collisions, WithEveryFragmentInPlayAnExplosionThrowsNoneAndChangesNothingElse) {
  for (auto& Fr : *F.Fragments) {
    Fr->SetActive(true);
    Fr->Timer = 50;
    Fr->Position = MakeVector(-9, 9, -9);
  }
  TBlob& A = TWorldForm::Place(Alien(0), 300, 0, 10);
  F.UpdatePlayerShot(Shot(300, 0));
  F.UpdateAlien(A);  // the alien's own burst
  EXPECT_EQ(F.Score, 500);
  EXPECT_EQ(F.LevelKills, 1);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveAlienHit), 1);
  EXPECT_EQ(A.Exploded, 1);
  for (auto& Fr : *F.Fragments) {
    EXPECT_EQ(Fr->Timer, 50);
    EXPECT_EQ(Fr->Position.x, -9);
  }
}

TEST_F(Collisions, PlayerAgainstAnObstacleIsPutBackAndStoppedWithTheBump) {
  TWorldForm::Place(*(*F.Obstacles)[0], 40, 0, 20, 0);
  F.Player->Position = MakeVector(0, 0, 0);
  F.Player->Speed = 8;
  F.UpdateWorld();  // 8: distance 32 < 36 overlaps
  EXPECT_FLOAT_EQ(F.Player->Position.x, 0);
  EXPECT_EQ(F.Player->Speed, 0);
  EXPECT_EQ(F.TouchingObstacle, 1);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveMeHitObstacle), 2) << "bump + contact begins";
  EXPECT_EQ(F.Hits(), 0);
  F.UpdateWorld();
  EXPECT_EQ(F.TouchingObstacle, 0) << "no contact once put back";

  // Standing inside two obstacles: one restart per obstacle, plus one when contact begins.
  TWorldForm::Place(*(*F.Obstacles)[1], -5, 0, 20, 0);
  TWorldForm::Place(*(*F.Obstacles)[0], 5, 0, 20, 0);
  W.Sound.Events.clear();
  F.UpdateWorld();
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveMeHitObstacle), 3);
  F.UpdateWorld();
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveMeHitObstacle), 5);
  EXPECT_EQ(F.TouchingObstacle, 1);
}

// A player started inside an obstacle drives out, bumping all the way, and a
// move back towards the centre stops it as an obstacle always does.
TEST_F(Collisions, PlayerStartedInsideAnObstacleDrivesOutWithTheBumps) {
  TWorldForm::Place(*(*F.Obstacles)[0], 0, 0, 30, 0);
  F.Player->Radius = 10;
  F.Player->Position = MakeVector(0, 0, 0);
  F.Player->Rotation.y = 0;
  F.Player->Speed = 4;
  for (int i = 0; i < 9; ++i) F.UpdateWorld();  // 36 away: still overlapping (< 40)
  EXPECT_FLOAT_EQ(F.Player->Position.x, 36);
  EXPECT_EQ(F.Player->Speed, 4);
  EXPECT_EQ(F.TouchingObstacle, 1);
  EXPECT_EQ(W.Sound.Count(TSoundEvent::Restart, WaveMeHitObstacle), 10) << "one a frame, one when contact began";
  F.UpdateWorld();
  F.UpdateWorld();
  EXPECT_FLOAT_EQ(F.Player->Position.x, 44);
  EXPECT_EQ(F.TouchingObstacle, 0);

  F.Player->Rotation.y = 180;
  F.Player->Speed = 8;
  F.UpdateWorld();  // 36: nearer and overlapping again
  EXPECT_FLOAT_EQ(F.Player->Position.x, 44);
  EXPECT_EQ(F.Player->Speed, 0);
  EXPECT_EQ(F.TouchingObstacle, 1);
}
