// Demo recording: a game played through the host's live input, with its
// uneven frame times, replays from the written script to the very same trace.
#include <gtest/gtest.h>

#include <sstream>

#include "GameRecording.h"
#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "InputStream.h"
#include "World.h"
#include "TraceSupport.h"

namespace {

constexpr long Frames = 600;

// The player's input between frame K - 1 and frame K, as window messages would bring it.
void Play(long K, TGameHost& Rec) {
  if (K == 104) Rec.KeyDown(90);                                  // Z: play starts
  if (K > 104 && K < 300 && K % 6 == 0) Rec.KeyDown(90);          // its auto-repeat
  if (K == 300) Rec.KeyUp(90);
  if (K == 150) Rec.KeyDown(37);                                  // turn left a while
  if (K == 180) Rec.KeyUp(37);
  if (K >= 200 && K < 260) Rec.MouseMotion(37, int(K % 3) - 1, K % 20 == 0 ? uint32_t(ssLeft) : 0u);  // across the edge
  if (K == 262) Rec.MouseMotion(0, -15, ssRight);
  if (K == 270) Rec.Click();
  // The joystick as it stands each frame: written only when it changes.
  Rec.Joystick(K >= 320 && K < 360 ? 20000 : 0, K >= 380 && K < 400 ? -30000 : 0, K >= 340 && K < 345 ? 1 : 0);
}

}  // namespace

TEST(DemoRecording, ARecordedGameReplaysToTheSameTrace) {
  std::ostringstream Script;
  std::vector<std::string> Live;
  {
    THeadlessContext Context(320, 240);
    THeadlessHost Game(320, 240, DefaultProgramFolder());
    Game.Game.Stream().WriteTo(&Script);
    uint32_t Now = 1000;
    for (long K = 1; K <= Frames; ++K) {
      Play(K, Game.Game);
      Now += 10 + uint32_t(K * 7 % 13);  // frames of uneven length
      Game.Wall.Now = Now;
      ASSERT_TRUE(Game.Step());
      Live.push_back(Game.TraceLine());
    }
  }

  const std::string Text = Script.str();
  const auto Events = ParseScript(Text);
  int Ticks = 0;
  for (const auto& E : Events) Ticks += E.Verb == TScriptVerb::Tick;
  EXPECT_EQ(Ticks, Frames);
  EXPECT_NE(Text.find("104 down 90\n"), std::string::npos);
  EXPECT_NE(Text.find("108 repeat 90\n"), std::string::npos);
  EXPECT_NE(Text.find("320 joy 20000 0\n"), std::string::npos);
  EXPECT_NE(Text.find("340 joy 20000 0 1\n"), std::string::npos);
  EXPECT_NE(Text.find("220 mouse 37 0 left\n"), std::string::npos);

  // The replay's own step (16 ms) is overridden by the recorded ticks.
  THeadlessContext Context(320, 240);
  THeadlessHost Replay(320, 240, DefaultProgramFolder(), Events, 16);
  for (long K = 1; K <= Frames; ++K) {
    ASSERT_TRUE(Replay.Step());
    ASSERT_EQ(Replay.TraceLine(), Live[size_t(K - 1)]) << "frame " << K;
  }
  // The game did react to the recorded input: it is being played, not on its title.
  EXPECT_EQ(TraceInt(Live.back(), "title"), 0);
}

TEST(DemoRecording, KeysAreWrittenAsTheFormSeesThem) {
  std::ostringstream Script;
  THeadlessContext Context(64, 48);
  THeadlessHost Game(64, 48, DefaultProgramFolder());
  TInputStream& Rec = Game.Game.Stream();
  Rec.WriteTo(&Script);
  Rec.KeyUp(65);  // never went down: nothing to release
  Rec.KeyDown(78);
  Rec.KeyDown(78);
  const TFrameInput& In = Rec.BeginFrame(16);
  // Both key messages reach the world, the press and its auto-repeat.
  ASSERT_EQ(In.MessageCount, 2u);
  EXPECT_EQ(In.Messages[0].A, 78);
  EXPECT_EQ(In.Messages[1].A, 78);
  Rec.KeyUp(78);
  Rec.KeyDown(0);  // a key without a code
  Rec.Click();
  Rec.BeginFrame(40);
  EXPECT_EQ(Script.str(), "1 down 78\n1 repeat 78\n1 tick 16\n2 up 78\n2 click\n2 tick 40\n");
  EXPECT_EQ(Rec.Frame(), 3);
  EXPECT_FALSE(Rec.Held(78));
}

TEST(GameRecording, GrowsPastItsReservationAndStopsWholeAtItsLimit) {
  TGameRecording Run(4, 10);
  Run.Append("1 tick 0\n", 9);  // past the 4 bytes reserved
  EXPECT_EQ(Run.Text(), "1 tick 0\n");
  Run.Append("2 tick 16\n", 10);  // would pass the limit: nothing of it is kept, nor anything after
  Run.Append("x", 1);
  EXPECT_TRUE(Run.Over());
  EXPECT_EQ(Run.Text(), "1 tick 0\n");
}
