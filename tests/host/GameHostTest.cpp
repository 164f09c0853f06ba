// The game host with the real form on the generated models: the live input
// stream and its shell rules (pause, Escape, a playing demo), the frame with
// its picture kept for a pause, the title and the view size.
#include "GameHost.h"

#include <GL/gl.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "DemoCheck.h"
#include "FakeServices.h"
#include "HostScreens.h"
#include "HeadlessContext.h"
#include "FrameInput.h"
#include "HeadlessHost.h"
#include "PlayerFiles.h"
#include "InputStream.h"
#include "PauseLayout.h"
#include "TraceWriter.h"
#include "frmMainGL.h"

namespace {

// A shell that notes what the host asks of it.
class TNotingShell : public IHostShell {
 public:
  void Present() override { Calls.push_back("present"); }
  void PauseChanged(bool Paused) override { Calls.push_back(Paused ? "paused" : "playing"); }
  void PointerFree(bool Free) override { Pointer.push_back(Free); }
  bool AskPlayerName() override {
    Calls.push_back("name?");
    return AsksName;
  }
  bool AsksName = false;  // a page's shell asks; a desktop's cannot
  std::vector<std::string> Calls;
  std::vector<bool> Pointer;
};

// A 64 x 48 game on the generated models, with the given fakes.
THostPlatform TestPlatform(TFakeTicks& Wall, TRecordingSound& Sound, IHostShell& Shell) {
  THostPlatform P;
  P.WallClock = &Wall;
  P.Sound = &Sound;
  P.Shell = &Shell;
  P.ProgramFolder = DefaultProgramFolder();
  P.Width = 64;
  P.Height = 48;
  return P;
}

class GameHostTest : public ::testing::Test {
 protected:
  explicit GameHostTest(bool EscapeQuits = true) : Context(64, 48) {
    THostPlatform P = TestPlatform(Wall, Sound, Shell);
    P.Messages = &Messages;
    P.EscapeQuits = EscapeQuits;
    Wall.Now = 1000;  // the game's clock starts at 0 when the form is made
    Host = std::make_unique<TGameHost>(P);
    Host->Stream().WriteTo(&Script);
    EXPECT_EQ(Frame(), TFrameResult::Continue) << "start-up";
    Shell.Calls.clear();
    Script.str("");
  }
  TFrameResult Frame() {
    Wall.Now += 16;
    return Host->Frame();
  }

  THeadlessContext Context;
  TFakeTicks Wall;
  TRecordingSound Sound;
  TCapturingMessages Messages;
  TNotingShell Shell;
  std::ostringstream Script;
  std::unique_ptr<TGameHost> Host;
};

class PageHostTest : public GameHostTest {
 protected:
  PageHostTest() : GameHostTest(false) {}
};

TEST_F(GameHostTest, LiveKeysMouseAndJoystickGoIntoTheStreamAndReachTheForm) {
  const uint8_t Flat = Host->World().FlatShading;
  Host->KeyDown(70);  // F: flat shading
  Host->KeyDown(70);  // its auto-repeat
  Host->KeyUp(70);
  Host->KeyUp(65);  // never went down
  Host->MouseMotion(3, -2, MouseButtons(true, false));
  Host->Joystick(0, 0, 0);  // unchanged: no event
  Host->Joystick(100, 0, 1);
  Host->Click();
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  EXPECT_EQ(Script.str(), "2 down 70\n2 repeat 70\n2 up 70\n2 mouse 3 -2 left\n2 joy 100 0 1\n2 click\n2 tick 32\n");
  EXPECT_EQ(Host->World().FlatShading, Flat) << "F reached the form twice";
  EXPECT_EQ(Shell.Calls, (std::vector<std::string>{"present"}));
}

TEST_F(GameHostTest, EscapeQuitsAfterTheFrameIsPresentedEvenWhenLetGoBefore) {
  Host->KeyDown(VkEscape);
  Host->KeyUp(VkEscape);
  EXPECT_EQ(Frame(), TFrameResult::Quit);
  EXPECT_EQ(Shell.Calls, (std::vector<std::string>{"present"}));
  EXPECT_EQ(Script.str(), "2 down 27\n2 up 27\n2 tick 32\n");
}

TEST_F(GameHostTest, APauseKeepsThePictureOfTheNextFrameThenNothingSteps) {
  Host->KeyDown(VkPause);
  Host->KeyDown(VkPause);  // auto-repeat: no second toggle
  Host->KeyUp(VkPause);
  EXPECT_EQ(Host->Pause().Phase(), TPauseState::TPhase::Capturing);
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  EXPECT_EQ(Shell.Calls, (std::vector<std::string>{"present", "paused"}));
  const uint32_t Frozen = Host->GameTicks();

  // Paused: frames do nothing, presses and the mouse do not reach the game,
  // releases do, the clock stands.
  const int32_t TitleFrames = Host->World().TitleFrames;
  Host->KeyDown(70);
  Host->MouseMotion(5, 5, 0);
  Wall.Now += 5000;
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  EXPECT_EQ(Host->World().TitleFrames, TitleFrames);
  EXPECT_EQ(Host->GameTicks(), Frozen);
  EXPECT_EQ(Host->TimerTitle(), "Skyrend [PAUSED]");

  Host->KeyDown(VkPause);
  EXPECT_FALSE(Host->Paused());
  EXPECT_EQ(Shell.Calls.back(), "playing");
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  // The demo shows no gap: the second frame's tick follows on from the first's.
  EXPECT_EQ(Script.str(), "2 tick 32\n3 tick 48\n");
  EXPECT_EQ(Host->World().TitleFrames, TitleFrames + 1);
}

TEST_F(GameHostTest, AHeldPauseStopsTheWorldAtOnceAndPIsRefusedUntilReleased) {
  const int32_t TitleFrames = Host->World().TitleFrames;
  const uint32_t Frozen = Host->GameTicks();
  Host->HoldPause();
  EXPECT_EQ(Shell.Calls, (std::vector<std::string>{"paused"})) << "no frame drawn or presented first";
  Wall.Now += 5000;
  Host->KeyDown(VkPause);
  Host->KeyUp(VkPause);
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  EXPECT_TRUE(Host->Paused());
  EXPECT_EQ(Host->World().TitleFrames, TitleFrames);
  EXPECT_EQ(Host->GameTicks(), Frozen);
  Host->ReleasePause();
  EXPECT_TRUE(Host->Paused()) << "released, it waits for the player";
  Host->KeyDown(VkPause);
  EXPECT_FALSE(Host->Paused());
  EXPECT_EQ(Shell.Calls, (std::vector<std::string>{"paused", "playing"}));
}

TEST_F(GameHostTest, EscapeWhilePausedQuitsAtOnce) {
  Host->RequestPause();
  Frame();
  Host->KeyDown(VkEscape);
  EXPECT_TRUE(Host->QuitRequested());
  EXPECT_EQ(Script.str(), "2 tick 32\n") << "Escape did not reach the paused game";
}

TEST_F(GameHostTest, APlayingDemoTakesNoLiveInputButPauseAndEscape) {
  const uint8_t Flat = Host->World().FlatShading;
  Host->Replay(ParseScript("3 down 70\n"));
  Host->KeyDown(78);
  Host->Click();
  Frame();
  Frame();
  EXPECT_EQ(Host->World().RadarAlpha, 0.7f) << "the player's N did not reach the game";
  EXPECT_NE(Host->World().FlatShading, Flat) << "the demo's F did";
  EXPECT_TRUE(Host->ReplayFinished());
  Host->KeyDown(VkPause);
  EXPECT_EQ(Host->Pause().Phase(), TPauseState::TPhase::Capturing);
  Host->KeyDown(VkEscape);
  EXPECT_EQ(Frame(), TFrameResult::Quit);
}

TEST_F(PageHostTest, WhereEscapeDoesNotQuitItPauses) {
  Host->KeyDown(VkEscape);
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  EXPECT_TRUE(Host->Paused());
  EXPECT_FALSE(Host->QuitRequested());
  EXPECT_EQ(Script.str(), "2 tick 32\n");
}

TEST_F(GameHostTest, LettingGoOfTheKeyboardReleasesEveryHeldKey) {
  Host->KeyDown(37);
  Host->KeyDown(90);
  Host->ReleaseKeys();
  EXPECT_EQ(Script.str(), "2 down 37\n2 down 90\n2 up 37\n2 up 90\n");
}

TEST_F(GameHostTest, TheTitleIsTheGamesNameAndShowsTheFramesOfTheLastSecondOnlyWhenAsked) {
  Frame();
  EXPECT_EQ(Host->TimerTitle(), "Skyrend");
  TSettings S = Host->Settings();
  S.ShowFps = true;
  Host->ChangeSettings(S);
  for (int i = 0; i < 3; ++i) Frame();
  EXPECT_EQ(Host->TimerTitle(), "Skyrend   [3 FPS]");
  EXPECT_EQ(Host->TimerTitle(), "Skyrend   [0 FPS]");
}

TEST_F(GameHostTest, EscapeDuringPlayPausesAndOnlyASecondPressQuits) {
  Host->KeyDown(90);  // Z: play begins
  Host->KeyUp(90);
  Frame();
  ASSERT_EQ(Host->World().OnTitleScreen, 0);
  Host->KeyDown(VkEscape);
  Host->KeyDown(VkEscape);  // its auto-repeat
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  EXPECT_TRUE(Host->Paused());
  EXPECT_FALSE(Host->QuitRequested());
  Host->KeyUp(VkEscape);
  Host->KeyDown(VkEscape);
  EXPECT_TRUE(Host->QuitRequested());
  EXPECT_EQ(Script.str().find("down 27"), std::string::npos) << "Escape reached the game: " << Script.str();
}

TEST_F(GameHostTest, ThePointerIsFreeOnTheTitleAndWhilePausedAndTheGamesInPlay) {
  Host->KeyDown(90);  // Z: play begins
  Host->KeyUp(90);
  Frame();
  Frame();
  Host->KeyDown(VkPause);
  Frame();  // the pause's picture, then paused
  ASSERT_TRUE(Host->Paused());
  Host->KeyUp(VkPause);
  Host->KeyDown(VkPause);
  EXPECT_EQ(Shell.Pointer, (std::vector<bool>{true, false, true, false}));
}

TEST_F(GameHostTest, ANewViewSizeGoesIntoTheStreamAndMovesTheMouseWrap) {
  Host->Resize(64, 48);  // the size the game started with: nothing to tell
  Host->Resize(200, 100);
  EXPECT_EQ(Script.str(), "2 size 200 100\n");
  // Past the new right edge the pointer wraps to the left one.
  Host->MouseMotion(200 - 32 + 1, 0, 0);
  Frame();
  EXPECT_EQ(Host->Pointer().X(), 0);
}

TEST_F(GameHostTest, StepsWithoutPicturesGiveTheSameGameAsDrawnOnes) {
  // Two hosts on the same input: one draws every frame, one only every third.
  TRecordingSound OtherSound;
  TNotingShell OtherShell;
  TFakeTicks OtherWall;
  OtherWall.Now = 1000;
  TGameHost Sparse(TestPlatform(OtherWall, OtherSound, OtherShell));
  OtherWall.Now += 16;
  Sparse.Frame();
  for (int k = 0; k < 300; ++k) {
    for (TGameHost* H : {Host.get(), &Sparse}) {
      if (k == 5) H->KeyDown(90);   // Z: play starts
      if (k == 40) H->KeyDown(37);  // a turn held
    }
    Frame();
    OtherWall.Now += 16;
    Sparse.Frame(k % 3 == 0);
  }
  // The whole state of the world, as the simulator's trace writes it.
  TTraceWriter A, B;
  EXPECT_EQ(A.FormatFrame(1, Sparse.World(), nullptr, 0, true), B.FormatFrame(1, Host->World(), nullptr, 0, true));
  EXPECT_EQ(Sparse.World().OnTitleScreen, 0);
  EXPECT_EQ(std::count(OtherShell.Calls.begin(), OtherShell.Calls.end(), "present"), 1 + 100) << "start-up, then every third frame";
}

TEST_F(GameHostTest, ASizeOfHeightZeroGivesAViewportOfHeightOne) {
  Host->Resize(640, 0);
  GLint Viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, Viewport);
  EXPECT_EQ(Viewport[2], 640);
  EXPECT_EQ(Viewport[3], 1);

  // gluPerspective(45, 640 / 1, 1, 100): f = 1 / tan(22.5 degrees) = 2.41421...
  GLfloat P[16] = {};
  glGetFloatv(GL_PROJECTION_MATRIX, P);
  EXPECT_NEAR(P[5], 2.4142136f, 1e-5f);
  EXPECT_NEAR(P[0], 2.4142136f / 640.0f, 1e-7f);
  GLint Mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &Mode);
  EXPECT_EQ(Mode, GL_MODELVIEW);
  EXPECT_EQ(Host->Picture().ViewWidth(), 640);
  EXPECT_EQ(Host->Picture().ViewHeight(), 1);
}

TEST(GameHost, AFormThatFailsToStartEndsTheRunWithoutPresenting) {
  THeadlessContext Context(64, 48);
  TNotingShell Shell;
  TCapturingMessages Messages;
  THostPlatform P;
  P.Messages = &Messages;
  P.Shell = &Shell;
  P.ProgramFolder = "/nonexistent";
  TGameHost Host(P);
  EXPECT_EQ(Host.Frame(), TFrameResult::Terminate);
  EXPECT_TRUE(Shell.Calls.empty());
  EXPECT_FALSE(Messages.Messages.empty());
}

}  // namespace

// --- the player's games and options

// A store that notes what it keeps; its table stands for the file, which
// another program may have added to.
class TNotingStore : public IPlayerStore {
 public:
  std::string SaveSettings(const TSettings& Settings) override {
    Saved.push_back(Settings);
    return Problem;
  }
  void AddScore(const TScoreEntry& Game, std::function<void(const TScoreSave&)> Done) override {
    Added.push_back(Game);
    if (Problem.empty()) InsertScore(OnDisk, Game);
    Answer = [this, Done] { Done(TScoreSave{OnDisk, Problem.empty(), Problem}); };
    if (!Late) Answer();
  }
  std::string KeepReplay(const std::string& Text, std::string& Problem) override {
    Replays.push_back(Text);
    Problem = ReplayProblem;
    return ReplayProblem.empty() ? "r" + std::to_string(Replays.size()) + ".txt" : "";
  }
  bool ReadReplay(const std::string& Name, std::string& Text, std::string&) override {
    Text = Kept[Name];
    return true;
  }
  std::map<std::string, std::string> Kept;
  std::vector<std::string> Replays;
  std::string ReplayProblem;
  std::string Problem;  // every save fails with it
  bool Late = false;    // the answer waits for Answer(), as a lock granted later does
  std::function<void()> Answer;
  std::vector<TSettings> Saved;
  std::vector<TScoreEntry> Added;
  TScoreTable OnDisk;
};

class PlayerHostTest : public ::testing::Test {
 protected:
  PlayerHostTest() : Context(64, 48) {}
  void Start(IPlayerStore* Store, TScoreTable Scores = {}, bool RecordGames = false) {
    THostPlatform P = TestPlatform(Wall, Sound, Shell);
    P.RecordGames = RecordGames;
    P.HostScreens = RecordGames;  // as the desktop and the page have them
    P.Store = Store;
    P.Scores = std::move(Scores);
    P.Today = [] { return std::string("2026-12-07"); };
    Host = std::make_unique<TGameHost>(P);
    Host->Stream().WriteTo(&Script);
    Frame();
  }
  void Frame() {
    Wall.Now += 16;
    Host->Frame();
  }
  // A game from the title that ends at the third hit with Score on level Level (0 is the first).
  void PlayGameEnding(int32_t Score, int32_t Level) {
    while (!Host->World().OnTitleScreen) Frame();
    Host->KeyDown(90);
    Host->KeyUp(90);
    Frame();
    ASSERT_EQ(Host->World().OnTitleScreen, 0);
    Host->Stream().Stage(TStaging::Score, Score);
    Host->Stream().Stage(TStaging::Level, Level);
    for (int i = 0; i < 3; ++i) Host->Stream().Stage(TStaging::Hit);
    Frame();
    ASSERT_EQ(Host->World().GameOverTimer, 100);
  }

  THeadlessContext Context;
  TFakeTicks Wall;
  TRecordingSound Sound;
  TNotingShell Shell;
  TNotingStore Store;
  std::unique_ptr<TPlayerFiles> Files;  // outlives the host, which finishes its saves
  std::ostringstream Script;
  std::unique_ptr<TGameHost> Host;
};

TEST_F(PlayerHostTest, AGameThatEndsTakesItsPlaceOnceInTheTableKeptInMemory) {
  Start(nullptr, {{5000, 4, "2026-12-01"}});
  PlayGameEnding(7000, 2);
  EXPECT_EQ(Host->LastGame().Score, 7000);
  EXPECT_EQ(Host->LastGame().Level, 3);
  EXPECT_EQ(Host->LastGame().Place, 1);
  EXPECT_TRUE(Host->LastGame().NewHighScore);
  EXPECT_EQ(Host->Scores(), (TScoreTable{{7000, 3, "2026-12-07"}, {5000, 4, "2026-12-01"}}));
  for (int i = 0; i < 100; ++i) Frame();  // the rest of the game over, then the title
  EXPECT_EQ(Host->World().OnTitleScreen, 1);
  EXPECT_EQ(Host->Scores().size(), 2u) << "one game, one entry";

  PlayGameEnding(3000, 0);
  EXPECT_EQ(Host->LastGame().Place, 3);
  EXPECT_FALSE(Host->LastGame().NewHighScore);
  PlayGameEnding(0, 0);
  EXPECT_EQ(Host->LastGame().Place, 0) << "a game without points takes no place";
  EXPECT_EQ(Host->Scores().size(), 3u);
}

TEST_F(PlayerHostTest, AReplayedGameIsNeverScored) {
  Start(&Store, {{5000, 4, "2026-12-01"}});
  // From the title: Z, then 7000 points and three hits, as a demo.
  const long F = Host->FrameNumber() + 1;
  std::vector<TScriptEvent> Demo;
  for (auto [Frame, Verb, A, B] : std::vector<std::tuple<long, TScriptVerb, int64_t, int64_t>>{
           {F, TScriptVerb::Down, 90, 0}, {F, TScriptVerb::Up, 90, 0}, {F + 1, TScriptVerb::Stage, int64_t(TStaging::Score), 7000},
           {F + 1, TScriptVerb::Stage, int64_t(TStaging::Hit), 0}, {F + 1, TScriptVerb::Stage, int64_t(TStaging::Hit), 0},
           {F + 1, TScriptVerb::Stage, int64_t(TStaging::Hit), 0}, {F + 5, TScriptVerb::Tick, 0, 0}}) {
    TScriptEvent E;
    E.Frame = Frame, E.Verb = Verb, E.A = A, E.B = B;
    Demo.push_back(E);
  }
  Host->Replay(Demo, 16);
  while (!Host->ReplayFinished()) Frame();
  ASSERT_EQ(Host->World().GameOverTimer, 96) << "the game over began four frames before the demo ended";
  EXPECT_TRUE(Store.Added.empty());
  EXPECT_EQ(Host->LastGame().Score, 7000);
  EXPECT_TRUE(Host->LastGame().Replayed);
  EXPECT_EQ(Host->LastGame().Place, 0);
  EXPECT_FALSE(Host->LastGame().NewHighScore);
}

TEST_F(PlayerHostTest, AGameThatEndsWithPointsIsKeptAsADemoThatReplaysToItsScore) {
  Start(&Store, {}, true);
  for (int i = 0; i < 30; ++i) Frame();  // the title, whose frames the demo holds too
  // Z, then fire held until the aliens end the game.
  Host->KeyDown(90);
  Host->KeyUp(90);
  Host->KeyDown(32);
  const long Began = Host->FrameNumber();
  while (Host->World().GameOverTimer == 0 && Host->FrameNumber() < 3000) Frame();
  ASSERT_GT(Host->LastGame().Score, 0);
  ASSERT_EQ(Store.Replays.size(), 1u);
  EXPECT_EQ(Store.Added.at(0).Replay, "r1.txt");
  const std::string& Demo = Store.Replays[0];
  EXPECT_EQ(ReadDemoGameFrame(Demo), Began);
  TModelRadii Radii;
  std::string Failure;
  ASSERT_TRUE(ReadModelRadii(DefaultProgramFolder(), Radii, Failure)) << Failure;
  const TDemoCheck C = CheckDemoText(Demo, Radii);
  EXPECT_FALSE(C.Refused) << C.Reason;
  EXPECT_EQ(C.Score, Host->LastGame().Score);
  EXPECT_EQ(C.Frames, Host->FrameNumber() - 1);

  // A demo the store cannot keep is said, and the game is scored all the same.
  Store.ReplayProblem = "No space left on device";
  for (int i = 0; i < 200; ++i) Frame();
  Host->KeyUp(32);
  PlayGameEnding(700, 0);
  EXPECT_EQ(Host->NoticeText(), "Replay not kept: No space left on device");
  EXPECT_EQ(Store.Added.at(1), (TScoreEntry{700, 1, "2026-12-07", ""}));
}

TEST_F(PlayerHostTest, TheBestGamePlaysSilentAfterHalfAMinuteWithoutAKeyUntilAKeyOrAMinute) {
  Store.Kept["best.txt"] = DemoHeaderLine(64, 48) + "\n# the game begins at frame 60\n60 down 90\n62 up 90\n64 down 32\n5000 up 32\n";
  Store.Kept["old.txt"] = "# Skyrend demo at 64x48, rules 0: x\n1 tick 16\n";
  Start(&Store, {{100, 1, "2026-12-01", "best.txt"}, {50, 1, "2026-12-01", "old.txt"}}, true);
  const auto Wait = [this](uint32_t Ms) {
    for (const uint32_t Until = Wall.Now + Ms; Wall.Now < Until;) Frame();
  };
  Wait(TitleLogoFrames * 16 + 29000);  // the table showed, then 29 s went by
  EXPECT_FALSE(Host->Watching());
  Wait(1200);
  ASSERT_TRUE(Host->Watching());
  Sound.Events.clear();
  Wait(1000);  // the demo's game has begun and fires
  EXPECT_TRUE(Sound.Events.empty()) << "the attract mode is silent";
  Wait(AttractMs - 1000);
  EXPECT_FALSE(Host->Watching()) << "a minute at most";
  EXPECT_EQ(Host->World().OnTitleScreen, 1);
  Wait(TitleLogoFrames * 16 + 31000);
  ASSERT_TRUE(Host->Watching());
  Host->KeyDown(65);
  EXPECT_FALSE(Host->Watching()) << "any key returns";

  // A demo of other rules is refused on screen; the title stays.
  Host->KeyDown(40);  // Down
  Host->KeyDown(40);  // Down
  EXPECT_EQ(Host->ChosenRow(), 1);
  Host->KeyDown(13);  // Return
  EXPECT_FALSE(Host->Watching());
  EXPECT_EQ(Host->NoticeText(), std::string("Replay cannot be played: line 1: recorded under rules version \"0\"; "
                                            "this game plays rules version ") + DemoRulesVersion());
}

TEST_F(PlayerHostTest, APressOnTheTitlesTableChoosesARowAndASecondOneWatchesIt) {
  Store.Kept["a.txt"] = DemoHeaderLine(64, 48) + "\n60 down 90\n";
  Start(&Store, {{100, 1, "2026-12-01", "a.txt"}, {50, 1, "2026-12-01", "a.txt"}}, true);
  // At 640 x 480 the table's rows are 21.9 pixels apart, the first centred 73.8 from the top.
  Host->Resize(640, 480);
  EXPECT_FALSE(Host->Press(320, 96)) << "the logo shows, not the table";
  Host->KeyDown(40);  // Down
  ASSERT_EQ(Host->ChosenRow(), 0);
  EXPECT_TRUE(Host->Press(320, 96));
  EXPECT_EQ(Host->ChosenRow(), 1);
  EXPECT_FALSE(Host->Press(320, 108)) << "below the table's last row";
  EXPECT_FALSE(Host->Watching());
  EXPECT_TRUE(Host->Press(320, 88));
  EXPECT_TRUE(Host->Watching());
}

TEST_F(PlayerHostTest, WithAStoreThePlaceIsTheGamesInTheMergedTable) {
  Store.OnDisk = {{9000, 5, "2026-12-01"}};  // another program's game, unknown at start
  Start(&Store);
  PlayGameEnding(7000, 2);
  EXPECT_EQ(Store.Added, (std::vector<TScoreEntry>{{7000, 3, "2026-12-07"}}));
  EXPECT_EQ(Host->LastGame().Place, 2);
  EXPECT_FALSE(Host->LastGame().NewHighScore);
  EXPECT_EQ(Host->Scores(), Store.OnDisk);
  // The same game again lands below its equal.
  PlayGameEnding(7000, 2);
  EXPECT_EQ(Host->LastGame().Place, 3);
}

TEST_F(PlayerHostTest, ASaveThatFailsIsSaidOnScreenAndClaimsNoPlace) {
  Store.OnDisk = {{9000, 5, "2026-12-01"}};
  Store.Problem = "Read-only file system";
  Start(&Store);
  PlayGameEnding(7000, 2);
  EXPECT_EQ(Host->LastGame().Place, 0);
  EXPECT_EQ(Host->Scores(), Store.OnDisk);
  EXPECT_EQ(Host->NoticeText(), "Score not saved: Read-only file system");
  Host->ToggleMute();
  EXPECT_EQ(Host->NoticeText(), "Settings not saved: Read-only file system");

  // An answer that comes later (the page's lock) gives the place then.
  Store.Problem = "";
  Store.Late = true;
  PlayGameEnding(8000, 2);
  EXPECT_EQ(Host->LastGame().Place, 0);
  Store.Answer();
  EXPECT_EQ(Host->LastGame().Place, 2);
}

TEST_F(PlayerHostTest, AScoreWaitingForALockHeldElsewhereLetsTheFramesGoOnAndIsSavedWhenItIsFree) {
  char Name[] = "/tmp/skyrend-host-lock-XXXXXX";
  const std::string Folder = mkdtemp(Name);
  Files = std::make_unique<TPlayerFiles>(TPlayerPaths{"", Folder + "/scores.txt"}, [](const std::string&) {});
  const int Other = open((Folder + "/scores.txt.lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_EQ(flock(Other, LOCK_EX), 0);  // another program's open file: a lock of its own
  Start(Files.get());
  PlayGameEnding(7000, 2);  // its frame has returned
  Frame();
  EXPECT_TRUE(Files->Saving()) << "a frame waited for the lock";
  EXPECT_EQ(Host->LastGame().Place, 0);
  close(Other);
  while (Files->Saving()) Frame();
  EXPECT_EQ(Host->LastGame().Place, 1);
  EXPECT_EQ(Host->NoticeText(), "");
  Host.reset();
  std::system(("rm -rf '" + Folder + "'").c_str());
}

TEST_F(PlayerHostTest, WhilePausedTheArrowsChooseAndChangeTheOptionsAndNeverReachTheGame) {
  Start(&Store);
  Host->TogglePause();
  Frame();
  ASSERT_TRUE(Host->Paused());
  Script.str("");
  Host->KeyDown(40);  // Down: to "Sound muted"
  Host->KeyDown(40);  // its auto-repeat: to "Mouse speed"
  Host->KeyUp(40);
  Host->KeyDown(39);  // Right: 1 -> 1.25
  Host->KeyUp(39);
  EXPECT_EQ(Host->Options().Item(Host->Options().Selected()), TOption::MouseSpeed);
  EXPECT_DOUBLE_EQ(Host->Settings().MouseSpeed, 1.25);
  ASSERT_EQ(Store.Saved.size(), 1u);
  EXPECT_DOUBLE_EQ(Store.Saved[0].MouseSpeed, 1.25);

  // Up from the top goes round to the window's size, which waits for a restart.
  for (int i = 0; i < 4; ++i) Host->KeyDown(38);
  EXPECT_EQ(Host->Options().Item(Host->Options().Selected()), TOption::WindowSize);
  Host->KeyDown(39);
  EXPECT_EQ(Host->Settings().WindowWidth, 1280);
  EXPECT_TRUE(Host->Options().WaitsForRestart(TOption::WindowSize, Host->Settings()));
  EXPECT_FALSE(Host->Options().WaitsForRestart(TOption::MouseSpeed, Host->Settings()));

  // Reduce flashing reaches the form's drawing at once.
  for (int i = 0; i < 5; ++i) Host->KeyDown(38);
  Host->KeyDown(37);
  EXPECT_TRUE(Host->Settings().ReduceFlashing);
  EXPECT_TRUE(Host->Picture().ReduceFlashing());
  EXPECT_EQ(Store.Saved.size(), 3u);
  EXPECT_EQ(Script.str().find("down"), std::string::npos) << "no press reached the game: " << Script.str();

  // Playing, the arrows are the game's again.
  Host->TogglePause();
  const int Chosen = Host->Options().Selected();
  Host->KeyDown(40);
  EXPECT_EQ(Host->Options().Selected(), Chosen);
  EXPECT_NE(Script.str().find("down 40"), std::string::npos);
}

TEST_F(PlayerHostTest, WhilePausedAPressChangesTheOptionUnderItAndPlaysOnButNeverReachesTheGame) {
  Start(&Store);
  EXPECT_FALSE(Host->Press(1, 1)) << "playing, a press is the game's click, not the host's";
  Host->TogglePause();
  Frame();
  ASSERT_TRUE(Host->Paused());
  Host->DrawPauseScreen(64, 48);
  Script.str("");
  const TPauseLayout L(64, 48, Host->Options().Count(), int(GameKeys(true).size()));
  const auto At = [&](const TBox& B) { return Host->Press(int((B.X0 + B.X1) / 2), 47 - int((B.Y0 + B.Y1) / 2)); };
  const int Volume = Host->Settings().Volume;
  EXPECT_TRUE(At(L.Less(0)));
  EXPECT_EQ(Host->Settings().Volume, Volume - 10);
  ASSERT_EQ(Store.Saved.size(), 1u);
  EXPECT_TRUE(At(L.OptionBox(3)));
  EXPECT_EQ(Host->Options().Selected(), 3);
  At(L.PlayOn);
  EXPECT_FALSE(Host->Paused());
  EXPECT_EQ(Script.str(), "") << "no press reached the game";
}

namespace {

TEST_F(PlayerHostTest, SharingTurnedOnWithoutANameWaitsForOneWhereTheShellAsksAndTakesOnlyAValidName) {
  for (const bool Asks : {true, false}) {
    SCOPED_TRACE(Asks ? "a page" : "a desktop");
    Store.Saved.clear();
    Shell.AsksName = Asks;
    Start(&Store);
    Host->TogglePause();
    Frame();
    while (Host->Options().Item(Host->Options().Selected()) != TOption::ShareScores) Host->KeyDown(40);
    Shell.Calls.clear();
    Host->KeyDown(39);
    EXPECT_EQ(Shell.Calls, (std::vector<std::string>{"name?"}));
    EXPECT_EQ(Host->Settings().ShareScores, !Asks) << "a desktop shares under the settings file's name";
    if (!Asks) continue;
    EXPECT_TRUE(Store.Saved.empty());
    EXPECT_NE(Host->GivePlayerName("Ace; DROP"), "");
    EXPECT_NE(Host->GivePlayerName(""), "");
    EXPECT_FALSE(Host->Settings().ShareScores);
    EXPECT_EQ(Host->GivePlayerName("Page Pilot"), "");
    EXPECT_TRUE(Host->Settings().ShareScores);
    ASSERT_EQ(Store.Saved.size(), 1u);
    EXPECT_EQ(Store.Saved[0].PlayerName, "Page Pilot");
    EXPECT_TRUE(Host->Paused()) << "the game waits while the name is asked";
  }
}

}  // namespace
