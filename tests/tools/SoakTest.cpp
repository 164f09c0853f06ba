// The soak's invariant checks: a game played for a while keeps them, and each
// kind of broken rule is reported.
#include <gtest/gtest.h>

#include <limits>

#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "WorldState.h"
#include "SoakChecks.h"
#include "WorldUnderTest.h"

TEST(Soak, EveryBrokenInvariantIsReported) {
  THeadlessContext Context(64, 48);
  THeadlessHost Sim(64, 48, DefaultProgramFolder(), ParseScript("104 down 90\n105 down 32\n"));
  TSoakChecker Checker;
  for (int k = 0; k < 300; ++k) {
    ASSERT_TRUE(Sim.Step());
    ASSERT_EQ(Checker.Check(Sim.World()), "") << "frame " << k + 1;
  }
  EXPECT_EQ(Checker.Games(), 1);

  // A world of the test's own, broken one rule at a time.
  TFakeInput Input;
  TWorldUnderTest W{TWorldServices(), Input};
  TWorldState& F = W.State();
  TSoakChecker Broken;
  ASSERT_EQ(Broken.Check(F), "");

  F.Player->Position.z = -2600.5f;
  EXPECT_EQ(Broken.Check(F), "the player is outside the arena at x 0.00, z -2600.50");
  F.Player->Position.z = 0;
  F.Fragments->at(7)->Rotation.y = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(Broken.Check(F), "Fragments[7] is missing or holds a value that is not a number");
  F.Fragments->at(7)->Rotation.y = 0;
  F.Player->Speed = std::numeric_limits<float>::infinity();
  EXPECT_EQ(Broken.Check(F), "the player holds a value that is not a number");
  F.Player->Speed = 0;

  const int32_t Hits[3] = {F.HitsByAlien, F.HitsByRocket, F.HitsByAlienShot};
  F.HitsByAlien = F.HitsByAlienShot = 0;
  F.HitsByRocket = -1;
  EXPECT_EQ(Broken.Check(F), "hits -1 are outside 0..5 (lives 0..3)");
  F.HitsByRocket = 6;
  EXPECT_EQ(Broken.Check(F), "hits 6 are outside 0..5 (lives 0..3)");
  F.HitsByAlien = Hits[0];
  F.HitsByRocket = Hits[1];
  F.HitsByAlienShot = Hits[2];

  auto Taken = std::move(F.Aliens->back());
  F.Aliens->pop_back();
  EXPECT_EQ(Broken.Check(F), "Aliens holds 19 objects, not 20");
  F.Aliens->push_back(std::move(Taken));
  EXPECT_EQ(Broken.Check(F), "");

  const int32_t Score = F.Score;
  F.Score = Score + 500;
  EXPECT_EQ(Broken.Check(F), "");
  F.Score = Score;
  EXPECT_EQ(Broken.Check(F), "the score fell from " + std::to_string(Score + 500) + " to " + std::to_string(Score));
}
