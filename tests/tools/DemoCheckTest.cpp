// A demo checked with no picture goes exactly as the game went when it was
// recorded, and what no game records is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "DemoCheck.h"
#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "InputStream.h"
#include "SoakInput.h"

namespace {

TModelRadii StockRadii() {
  TModelRadii Radii;
  std::string Failure;
  EXPECT_TRUE(ReadModelRadii(DefaultProgramFolder(), Radii, Failure)) << Failure;
  return Radii;
}

}  // namespace

TEST(DemoCheck, ReplaysARecordedGameFrameByFrameToTheGamesScore) {
  // Random play that loses games and scores: recorded, its world traced each frame.
  const int W = 64, H = 48;
  const long Frames = 6000;
  std::ostringstream Demo;
  Demo << DemoHeaderLine(W, H) << '\n';
  std::vector<std::string> Played;
  int32_t Best = 0;
  std::vector<std::pair<long, int32_t>> Games;  // each game's first frame and final score (-1: still in play)
  {
    THeadlessContext Context(W, H);
    THeadlessHost Game(W, H, DefaultProgramFolder());
    Game.Game.Stream().WriteTo(&Demo);
    TSoakInput Input(9, Game.Game.Stream());
    TTraceWriter Trace;
    for (long k = 1; k <= Frames; ++k) {
      if (k > 1) Input.NextFrame(Game.World().OnTitleScreen != 0);
      Game.Wall.Now = uint32_t(k) * 16u;
      const bool Over = Game.World().GameOverTimer > 0, Title = Game.World().OnTitleScreen != 0;
      ASSERT_TRUE(Game.Step());
      if (Title && !Game.World().OnTitleScreen) Games.push_back({k, -1});
      if (!Over && Game.World().GameOverTimer > 0) {
        Best = std::max(Best, Game.World().Score);
        Games.back().second = Game.World().Score;
      }
      Played.push_back(Trace.FormatFrame(k, Game.World(), nullptr, 0, false));
    }
    // A game still in play when the run ends counts as it stands.
    if (!Game.World().OnTitleScreen && Game.World().GameOverTimer == 0) Best = std::max(Best, Game.World().Score);
  }
  ASSERT_GT(Best, 0) << "the recorded play scored nothing";

  TDemoRun Run(Demo.str(), StockRadii());
  TTraceWriter Trace;
  for (const std::string& Line : Played) {
    ASSERT_TRUE(Run.Step());
    ASSERT_EQ(Trace.FormatFrame(Run.Frame(), Run.World(), nullptr, 0, false), Line) << "frame " << Run.Frame();
  }
  const TDemoCheck C = CheckDemoText(Demo.str(), StockRadii());
  EXPECT_FALSE(C.Refused) << C.Reason;
  EXPECT_EQ(C.Score, Best);
  EXPECT_EQ(C.Frames, Frames);

  // Kept for its first game, the same run reports that game, not the better one after it.
  const auto [Start, First] = Games.front();
  ASSERT_TRUE(First >= 0 && First < Best) << "the first game was the best or never ended";
  std::string Kept = Demo.str();
  Kept.insert(Kept.find('\n') + 1, DemoGameLine(Start) + "\n");
  EXPECT_EQ(CheckDemoText(Kept, StockRadii()).Score, First);
}

TEST(DemoCheck, RefusesWhatNoGameRecords) {
  const std::string Header = DemoHeaderLine(1024, 768) + "\n";
  const struct {
    std::string Text, Reason;
  } Cases[] = {
      {"1 tick 16\n", "line 1: not a demo: its first line names no window size and rules version"},
      {"# Skyrend demo at 1024x768, rules 0: x\n1 tick 16\n", std::string("line 1: recorded under rules version \"0\"; this game plays rules version ") + DemoRulesVersion()},
      {Header + "5\n", "line 2: expected \"FRAME VERB ARGS\""},
      {Header + "5 stage score 99999\n", "line 2: a game never records \"stage\""},
  };
  for (const auto& Case : Cases) {
    const TDemoCheck C = CheckDemoText(Case.Text, TModelRadii());
    EXPECT_TRUE(C.Refused) << Case.Text;
    EXPECT_EQ(C.Reason, Case.Reason) << Case.Text;
  }
}
