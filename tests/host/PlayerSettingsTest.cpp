// The player's settings and scores in the running host: mouse speed and
// inversion before the input stream, M muting at any time, the high score
// from the kept table, the rumble on a hit and at the game over, the notice.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "HeadlessContext.h"
#include "FrameInput.h"
#include "HeadlessHost.h"
#include "InputStream.h"
#include "WorldState.h"
#include "ScriptFormat.h"

namespace {

constexpr int W = 320, H = 240;

// A store that notes what it was asked to keep.
class TNotingStore : public IPlayerStore {
 public:
  std::string SaveSettings(const TSettings& S) override {
    Saved.push_back(S);
    return "";
  }
  void AddScore(const TScoreEntry&, std::function<void(const TScoreSave&)> Done) override { Done({}); }
  std::vector<TSettings> Saved;
};

class PlayerSettingsTest : public ::testing::Test {
 protected:
  explicit PlayerSettingsTest(THeadlessPlayer Player = {}) : Context(W, H) {
    Player.Store = &Store;
    Game = std::make_unique<THeadlessHost>(W, H, DefaultProgramFolder(), Player);
    Game->Game.Stream().WriteTo(&Script);
    EXPECT_TRUE(Game->StartUp());
    Script.str("");
  }
  TGameHost& Host() { return Game->Game; }

  THeadlessContext Context;
  TNotingStore Store;
  std::ostringstream Script;
  std::unique_ptr<THeadlessHost> Game;
};

THeadlessPlayer SlowInvertedMouse() {
  THeadlessPlayer P;
  P.Settings.MouseSpeed = 0.5;
  P.Settings.InvertMouse = true;
  P.Scores = {{5000, 4, "2026-01-02"}, {100, 1, "2026-01-01"}};
  return P;
}

class SlowMouseTest : public PlayerSettingsTest {
 protected:
  SlowMouseTest() : PlayerSettingsTest(SlowInvertedMouse()) {}
};

TEST_F(SlowMouseTest, TheStreamHoldsTheMotionAfterSpeedAndInversionWithNoMotionLost) {
  Host().MouseMotion(1, 2, 0);
  Host().MouseMotion(1, 2, 0);   // the two half pixels make one
  Host().MouseMotion(-3, -1, 0);
  TSettings S = Host().Settings();
  S.MouseSpeed = 1;
  S.InvertMouse = false;
  Host().ChangeSettings(S);
  Host().MouseMotion(3, -4, 0);
  EXPECT_EQ(Script.str(), "2 mouse 0 -1\n2 mouse 1 -1\n2 mouse -1 0\n2 mouse 3 -4\n");
  ASSERT_EQ(Store.Saved.size(), 1u);
  EXPECT_EQ(Store.Saved[0].MouseSpeed, 1);
}

TEST_F(SlowMouseTest, TheHighScoreStartsAtTheBestKeptGame) { EXPECT_EQ(Game->World().HighScore, 5000); }

TEST(PlayerSettings, ADemoReplaysTheSameUnderAnyMouseSettings) {
  THeadlessContext Context(W, H);
  THeadlessHost Game(W, H, DefaultProgramFolder(), ParseScript("2 mouse 4 0\n"), 16, SlowInvertedMouse());
  ASSERT_TRUE(Game.Step());
  ASSERT_TRUE(Game.Step());
  EXPECT_EQ(Game.World().LastMouseX, W / 2 + 4);
}

TEST_F(PlayerSettingsTest, MMutesAndUnmutesAtAnyTimeIsSavedAndNeverReachesTheGame) {
  Host().KeyDown(VkMute);
  Host().KeyDown(VkMute);  // its auto-repeat
  Host().KeyUp(VkMute);
  EXPECT_TRUE(Host().Settings().Muted);
  Host().TogglePause();
  Host().KeyDown(VkMute);
  Host().KeyUp(VkMute);
  EXPECT_FALSE(Host().Settings().Muted);
  ASSERT_EQ(Store.Saved.size(), 2u);
  EXPECT_TRUE(Store.Saved[0].Muted);
  EXPECT_FALSE(Store.Saved[1].Muted);
  EXPECT_EQ(Script.str(), "");
}

TEST_F(PlayerSettingsTest, AHitRumblesShortlyAndTheGameOverLongerOnce) {
  const TWorldState& F = Game->World();
  Game->Stage(TStaging::Hit);
  ASSERT_TRUE(Game->Step());
  ASSERT_TRUE(Game->Step());
  EXPECT_EQ(Game->Rumbles, 1);
  EXPECT_EQ(Game->LastRumble.Ms, HitRumble.Ms);
  for (int i = 0; i < 2; ++i) Game->Stage(TStaging::Hit);
  for (int i = 0; i < 120; ++i) ASSERT_TRUE(Game->Step());  // the game over and back to the title
  EXPECT_EQ(F.Hits(), 0);
  EXPECT_EQ(Game->Rumbles, 2);
  EXPECT_EQ(Game->LastRumble.Ms, GameOverRumble.Ms);
  EXPECT_GT(GameOverRumble.Ms, HitRumble.Ms);
  Game->Stage(TStaging::Hit);
  ASSERT_TRUE(Game->Step());
  EXPECT_EQ(Game->Rumbles, 3);
  EXPECT_EQ(Game->LastRumble.Ms, HitRumble.Ms);
}

TEST_F(PlayerSettingsTest, ANoticeStaysForItsTimeThenGoes) {
  Host().ShowNotice("Picture saved");
  Game->Wall.Now += NoticeMs - 1;
  EXPECT_EQ(Host().NoticeText(), "Picture saved");
  Game->Wall.Now += 1;
  EXPECT_EQ(Host().NoticeText(), "");
}

}  // namespace
