// Start-up, new game, the world's teardown and the level advance.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "FormOnFakes.h"
#include "TestModels.h"

namespace {

TEST(StartUp, LoadsTheSixteenModelsInOrderAndStopsAtAMissingOne) {
  const std::string folder = MakeTempFolder();
  WriteDefaultModels(folder);
  std::remove((folder + "/Teleport.txt").c_str());
  {
    auto hostPtr = TFormOnFakes::WithContext(64, 64, folder);
    TFormOnFakes& host = *hostPtr;
    EXPECT_FALSE(host.StartUp()) << "the program ends";
    ASSERT_EQ(host.Messages.Messages.size(), 1u);
    EXPECT_EQ(host.Messages.Messages[0],
              "Problem reading file Teleport.txt\r\nException : File not found\r\n"
              "Ensure all files in same folder, press Ok to terminate");
    const TModelSet& models = host.Form->Picture().Models();
    for (int slot = 0; slot < TeleportSlot; ++slot) {
      ASSERT_TRUE(models[slot] != nullptr);
      EXPECT_EQ(models[slot]->NumMeshes, 1);
    }
    EXPECT_EQ(models[FloorTileSlot], nullptr) << "the models after the failing one are not read";
  }
  RemoveFolder(folder);
}

TEST(StartUp, ObstaclesTakeTheObstacleModelsRadius) {
  const std::string folder = MakeTempFolder();
  WriteDefaultModels(folder);
  WriteTextFile(folder + "/Obstacle.txt", BoxModelText(-30, 0, -40, 30, 50, 40, 1, 0, 0));
  {
    auto hostPtr = TFormOnFakes::WithContext(64, 64, folder);
    TFormOnFakes& host = *hostPtr;
    ASSERT_TRUE(host.StartUp());
    for (const auto& obstacle : *host.World->Obstacles) EXPECT_FLOAT_EQ(obstacle->Radius, std::sqrt(30.f * 30 + 50 * 50 + 40 * 40));
  }
  RemoveFolder(folder);
}

// New game and the level advance need no GL: a form on fake services.
class World : public ::testing::Test {
 protected:
  World() {
    w.Ticks.Now = 777;
    TWorldServices S;
    S.Ticks = &w.Ticks;
    S.Sound = &w.Sound;
    S.Cursor = &w.Cursor;
    made = std::make_unique<TWorldUnderTest>(S, w.Input);  // made again at tick 777
    form = made.get();
  }
  TWorldForm w;
  std::unique_ptr<TWorldUnderTest> made;
  TWorldUnderTest* form;
};

TEST_F(World, FormCreateLaysOutAFreshGameOnTheTitleScreen) {
  EXPECT_EQ(form->StartupPending, 1);
  EXPECT_EQ(form->OnTitleScreen, 1);
  EXPECT_EQ(form->LastShotTick, 777u);
  EXPECT_FLOAT_EQ(form->RadarAlpha, 0.7f);
  EXPECT_EQ(form->FlatShading, 1);
  EXPECT_FALSE(w.Cursor.Visible);
  EXPECT_EQ(form->PlayerShots->size(), 15u);
  EXPECT_EQ(form->AlienShots->size(), 5u);
  EXPECT_EQ(form->Obstacles->size(), 25u);
  EXPECT_EQ(form->Aliens->size(), 20u);
  EXPECT_EQ(form->Rockets->size(), 5u);
  EXPECT_EQ(form->Teleports->size(), 8u);
  EXPECT_EQ(form->Fragments->size(), 100u);
  EXPECT_EQ(form->FloorTiles->size(), 100u);
  EXPECT_FLOAT_EQ(form->Player->Radius, 16);
  EXPECT_FLOAT_EQ(form->Player->Position.x, 0);
  EXPECT_FLOAT_EQ(form->Player->Position.z, 0);
  EXPECT_FLOAT_EQ(form->Player->Target.z, -1);
  for (const auto& o : *form->Obstacles) {
    EXPECT_TRUE(o->Active);
    EXPECT_LE(std::abs(o->Position.x), 2600);
    EXPECT_LE(std::abs(o->Position.z), 2600);
  }
}

TEST_F(World, NewGameAfterAGameKeepsTheHighScoreOnly) {
  form->HighScore = 9000;
  form->Score = 500;
  form->Level = 4;
  form->LevelKills = 3;
  form->HitsByRocket = 2;
  form->RadarAlpha = 0.1f;
  form->ClearWorld();
  form->ClearWorld();  // twice in a row: nothing left to free
  EXPECT_EQ(form->Aliens, nullptr);
  EXPECT_EQ(form->Player, nullptr);
  form->NewGame();
  EXPECT_EQ(form->HighScore, 9000);
  EXPECT_EQ(form->Score, 0);
  EXPECT_EQ(form->Level, 0);
  EXPECT_EQ(form->LevelKills, 0);
  EXPECT_EQ(form->Hits(), 0);
  EXPECT_FLOAT_EQ(form->RadarAlpha, 0.7f);
  EXPECT_EQ(form->ColourScheme, 0);
}

TEST_F(World, LevelAdvancesWhenTheQuotaIsMetAndWrapsAfterRowNine) {
  // Row 0 totals 3 + 2 + 0 + 0 + 1 = 6 kills.
  form->LevelKills = 5;
  form->Released[0] = 2;
  form->CheckLevelAdvance();
  EXPECT_EQ(form->Level, 0);
  form->LevelKills = 6;
  form->CheckLevelAdvance();
  EXPECT_EQ(form->Level, 1);
  EXPECT_EQ(form->ColourScheme, 2);
  EXPECT_EQ(form->LevelKills, 0);
  EXPECT_EQ(form->Released[0], 0);

  form->Level = 9;  // 5 + 5 + 5 + 5 + 20 = 40 kills
  form->LevelKills = 40;
  form->CheckLevelAdvance();
  EXPECT_EQ(form->Level, 0);
  EXPECT_EQ(form->ColourScheme, 0);
}

}  // namespace
