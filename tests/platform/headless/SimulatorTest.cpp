// The simulator: the same script gives the same trace, byte for byte, and the
// trace shows the game's rules at the frames where they act.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include "TraceSupport.h"
#include "TraceWriter.h"

namespace {

// A game with every kind of input: start, fire, held and repeated keys, mouse
// moves past the screen's edge, clicks, the joystick and clocks out of step.
const char* const BusyScript = R"(# a short game
104 down 90
105 up 90
110 down 38
112 repeat 38
130 up 38
140 mouse 900 0
141 mouse 200 0 left     # to the right edge: the pointer wraps
150 mouse -40 12 right
151 mouse 0 -30 right
160 click
170 joy 30000 -20000 1
200 joy 0 0
210 down 70              # F: flat shading off
211 up 70
220 down 78              # N: radar brighter
220 repeat 78
221 up 78
230 tick 5000            # the clock jumps ...
231 tick 5001            # ... and crawls
240 down 39
400 up 39
)";

// The active flags of the player's shots, in list order.
std::string ShotStates(const std::string& Line) {
  const std::string Shots = TraceSection(Line, "playerShots", "alienShots");
  std::string Flags;
  const std::string Key = "{\"active\":";
  for (size_t At = Shots.find(Key); At != std::string::npos; At = Shots.find(Key, At + 1))
    Flags += Shots[At + Key.size()];
  return Flags;
}

}  // namespace

TEST(Simulator, TwoRunsOfAScriptGiveTheSameTrace) {
  const auto First = RunScript(BusyScript, 450);
  const auto Second = RunScript(BusyScript, 450);
  ASSERT_EQ(First.size(), 450u);
  for (size_t i = 0; i < First.size(); ++i) ASSERT_EQ(First[i], Second[i]) << "frame " << i + 1;

  // The input reached the game: it started, turned, shot and changed its settings.
  EXPECT_EQ(TraceInt(First[102], "title"), 1);
  EXPECT_EQ(TraceInt(First[103], "title"), 0);  // Z starts play at once
  EXPECT_EQ(TraceInt(First[215], "flat"), 0);
  EXPECT_NE(First[449], RunScript("", 450)[449]);
}

TEST(Simulator, TraceLinesHaveTheirKeysInOrderAndTheWorldOnlyWhenNew) {
  const auto Lines = RunScript("", 3);
  const char* Keys[] = {"frame", "title", "titleFrames", "gameOver", "level", "levelKills", "released",
                        "colourScheme", "score", "highScore", "hits", "touching", "radarSweep", "radarAlpha",
                        "flat", "wireframe", "player", "aliens", "rockets", "playerShots", "alienShots",
                        "fragments", "sounds", "caption", "world"};
  size_t At = 0;
  for (const char* Key : Keys) {
    const size_t Next = Lines[0].find(std::string("\"") + Key + "\":", At);
    ASSERT_NE(Next, std::string::npos) << Key << " missing or out of order";
    At = Next;
  }
  EXPECT_EQ(Lines[1].find("\"world\""), std::string::npos);
  const std::string World = Lines[0].substr(Lines[0].find("\"world\""));
  EXPECT_EQ(Occurrences(TraceSection(World, "obstacles", "teleports"), "\"r\":"), 25);
  EXPECT_EQ(Occurrences(TraceSection(World, "teleports", "floorTiles"), "\"x\":"), 8);
  EXPECT_EQ(Occurrences(World.substr(World.find("floorTiles")), "\"x\":"), 100);
  EXPECT_EQ(Occurrences(TraceSection(Lines[0], "aliens", "rockets"), "\"kind\":"), 20);
  EXPECT_EQ(Occurrences(TraceSection(Lines[0], "rockets", "playerShots"), "\"timer\":"), 5);
  EXPECT_EQ(Occurrences(TraceSection(Lines[0], "playerShots", "alienShots"), "\"roll\":"), 15);
  EXPECT_EQ(Occurrences(TraceSection(Lines[0], "alienShots", "fragments"), "\"state\":"), 5);
  // Frame 1 is start-up, frame 2 the first title frame with its caption:
  // the clock moves within every frame.
  EXPECT_EQ(TraceInt(Lines[0], "titleFrames"), 0);
  EXPECT_EQ(TraceInt(Lines[1], "titleFrames"), 1);
  EXPECT_NE(Lines[1].find("\"caption\":\"Skyrend X=0.00 Y=0.00 Z=0.00 Ang=0.00 HBA 0 HBR 0 HBAP 0\""),
            std::string::npos);
}

TEST(Simulator, FloatsReadBackAsTheSameValue) {
  const float Values[] = {0.1f, 0.7f, -2600.0f, 1.0f / 3.0f, 16777217.0f, 1e-40f, 3.4028235e38f, -0.0f, 0.49997905f};
  for (float V : Values) {
    std::string Text;
    AppendFloat(Text, V);
    const float Back = std::strtof(Text.c_str(), nullptr);
    EXPECT_EQ(std::memcmp(&Back, &V, sizeof V), 0) << Text;
  }
  std::string Text;
  AppendFloat(Text, 0.7f);
  EXPECT_EQ(Text, "0.7");
  Text.clear();
  AppendFloat(Text, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(Text, "null");
}

// Holding fire and a turn from the first frame of play: aliens get shot, the
// level's quota is met, and the aliens' return fire ends the game.
TEST(Simulator, TraceShowsScoringLevelAdvanceAndGameOverWhereTheyHappen) {
  const auto Lines = RunScript("105 down 90\n105 down 39\n", 6000);
  long Scored = 0, Advanced = 0, Over = 0;
  for (size_t i = 1; i < Lines.size(); ++i) {
    const long Frame = long(i) + 1;
    if (!Scored && TraceInt(Lines[i], "score") > 0) Scored = Frame;
    if (!Advanced && TraceInt(Lines[i], "level") == 1) Advanced = Frame;
    if (!Over && TraceHits(Lines[i]) >= 3) Over = Frame;
  }
  ASSERT_GT(Scored, 105) << "no shot scored";
  ASSERT_GT(Advanced, Scored) << "the level never advanced";
  ASSERT_GT(Over, 105) << "the game never ended";
  ASSERT_LE(Over + 100, long(Lines.size())) << "the game ended too late to see the title return";

  // The first score: an alien is hit for 500 points, its cue plays, the shot
  // leaves play and the kill counts for the level.
  const std::string& Before = Lines[Scored - 2];
  const std::string& Hit = Lines[Scored - 1];
  EXPECT_EQ(TraceInt(Hit, "score"), 500);
  EXPECT_EQ(TraceInt(Hit, "levelKills"), TraceInt(Before, "levelKills") + 1);
  EXPECT_NE(TraceSection(Hit, "sounds", "caption").find("[\"restart\",2]"), std::string::npos);
  EXPECT_GT(Occurrences(TraceSection(Hit, "aliens", "rockets"), "\"state\":3"),
            Occurrences(TraceSection(Before, "aliens", "rockets"), "\"state\":3"));
  const auto ShotsBefore = ShotStates(Before), ShotsAfter = ShotStates(Hit);
  bool ShotGone = false;
  for (size_t i = 0; i < ShotsBefore.size() && i < ShotsAfter.size(); ++i)
    ShotGone |= ShotsBefore[i] == '1' && ShotsAfter[i] == '0';
  EXPECT_TRUE(ShotGone);

  // Level 0 needs six kills (3 + 2 + 0 + 0 + 1): the sixth moves to level 1,
  // whose colour scheme is 2, with the counters and releases back at 0.
  const std::string& Last = Lines[Advanced - 2];
  const std::string& Next = Lines[Advanced - 1];
  EXPECT_EQ(TraceInt(Last, "level"), 0);
  EXPECT_EQ(TraceInt(Last, "levelKills"), 5);
  EXPECT_EQ(TraceInt(Next, "levelKills"), 0);
  EXPECT_EQ(TraceInt(Next, "colourScheme"), 2);
  EXPECT_NE(Next.find("\"released\":[0,0,0,0,0]"), std::string::npos);

  // The third hit starts the game-over countdown of 100 frames; the world
  // stands still meanwhile; then a new game shows the title and a new world.
  const std::string& Ended = Lines[Over - 1];
  EXPECT_EQ(TraceInt(Lines[Over - 2], "gameOver"), 0);
  EXPECT_EQ(TraceInt(Ended, "gameOver"), 100);
  EXPECT_EQ(TraceInt(Lines[Over + 49], "gameOver"), 50);
  EXPECT_EQ(TraceSection(Lines[Over + 49], "player", "aliens"), TraceSection(Ended, "player", "aliens"));
  EXPECT_EQ(TraceInt(Lines[Over + 98], "gameOver"), 1);
  EXPECT_EQ(Lines[Over + 98].find("\"world\""), std::string::npos);
  const std::string& Title = Lines[Over + 99];
  EXPECT_EQ(TraceInt(Title, "gameOver"), 0);
  EXPECT_EQ(TraceInt(Title, "title"), 1);
  EXPECT_EQ(TraceInt(Title, "score"), 0);
  EXPECT_EQ(TraceInt(Title, "level"), 0);
  EXPECT_EQ(TraceHits(Title), 0);
  EXPECT_EQ(TraceInt(Title, "highScore"), TraceInt(Ended, "score"));
  EXPECT_NE(Title.find("\"world\":{\"obstacles\":["), std::string::npos);
  EXPECT_NE(Title.substr(Title.find("\"world\"")), Lines[0].substr(Lines[0].find("\"world\"")));
}

namespace {

struct TRun {
  int Code;
  std::string Output;
};

TRun RunSim(const std::string& Arguments) {
  const std::string Command = std::string(SKYREND_PROGRAM_DIR) + "/skyrend-sim " + Arguments + " 2>&1";
  TRun R{-1, ""};
  std::FILE* Pipe = popen(Command.c_str(), "r");
  if (!Pipe) return R;
  char Buffer[4096];
  size_t N;
  while ((N = std::fread(Buffer, 1, sizeof Buffer, Pipe)) > 0) R.Output.append(Buffer, N);
  const int Status = pclose(Pipe);
  R.Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  return R;
}

}  // namespace

TEST(SimulatorProgram, BadArgumentsAndBadScriptLinesEndWithCode2) {
  if (!std::filesystem::exists(std::string(SKYREND_PROGRAM_DIR) + "/skyrend-sim"))
    GTEST_SKIP() << "skyrend-sim is not built";
  const std::string Script = testing::TempDir() + "/bad-script.txt";
  std::FILE* F = std::fopen(Script.c_str(), "w");
  ASSERT_TRUE(F);
  std::fputs("# fine\n1 tick 16\n3 dwon 90\n", F);
  std::fclose(F);

  TRun R = RunSim("--frames 5 --script " + Script);
  EXPECT_EQ(R.Code, 2);
  EXPECT_NE(R.Output.find(Script + ": line 3: unknown verb \"dwon\""), std::string::npos) << R.Output;

  for (const char* Bad : {"--frames", "--frames ten", "--size 640", "--shot 5", "--shot 9:a.png --frames 5",
                          "--ms-per-frame -1", "--colour red", "--scheme 11", "--busy 0"}) {
    R = RunSim(Bad);
    EXPECT_EQ(R.Code, 2) << Bad;
    EXPECT_NE(R.Output.find("usage: skyrend-sim"), std::string::npos) << Bad;
  }

  R = RunSim("--frames 3 --size 64x48 --trace -");
  EXPECT_EQ(R.Code, 0) << R.Output;
  EXPECT_EQ(Occurrences(R.Output, "{\"frame\":"), 3);
  EXPECT_EQ(Occurrences(R.Output, "\"world\":"), 1);

  // The busy scene from frame 2 puts every alien in play; the scheme is forced.
  R = RunSim("--frames 2 --size 64x48 --busy 2 --scheme 10 --trace -");
  EXPECT_EQ(Occurrences(R.Output, "\"active\":1,\"x\""), 0 + 20 + 5) << R.Output.substr(0, 400);
  EXPECT_EQ(Occurrences(R.Output, "\"colourScheme\":10"), 2);
}

namespace {

// Width and height from a PNG file's header, or 0 x 0.
std::pair<int, int> PngSize(const std::string& Path) {
  unsigned char H[24] = {};
  std::FILE* F = std::fopen(Path.c_str(), "rb");
  if (F) {
    if (std::fread(H, 1, sizeof H, F) != sizeof H) H[16] = H[20] = 0;
    std::fclose(F);
  }
  const auto At = [&](int i) { return int(H[i]) << 24 | int(H[i + 1]) << 16 | int(H[i + 2]) << 8 | int(H[i + 3]); };
  return {At(16), At(20)};
}

}  // namespace

TEST(SimulatorProgram, UnreadableScriptsAndUnwritableOutputsStopBeforeTheFirstFrame) {
  if (!std::filesystem::exists(std::string(SKYREND_PROGRAM_DIR) + "/skyrend-sim"))
    GTEST_SKIP() << "skyrend-sim is not built";
  TRun R = RunSim("--frames 3 --trace - --script " + testing::TempDir());
  EXPECT_EQ(R.Code, 2);
  EXPECT_NE(R.Output.find("cannot read the script: Is a directory"), std::string::npos) << R.Output;
  EXPECT_EQ(Occurrences(R.Output, "{\"frame\":"), 0);

  R = RunSim("--frames 3 --trace - --shot 3:/nonexistent/skyrend/f.png");
  EXPECT_EQ(R.Code, 2);
  EXPECT_NE(R.Output.find("cannot write the picture \"/nonexistent/skyrend/f.png\": No such file or directory"),
            std::string::npos) << R.Output;
  EXPECT_EQ(Occurrences(R.Output, "{\"frame\":"), 0);

  R = RunSim("--frames 3 --trace " + testing::TempDir());
  EXPECT_EQ(R.Code, 2);
  EXPECT_NE(R.Output.find("Is a directory"), std::string::npos) << R.Output;
}

TEST(SimulatorProgram, ADemoPlaysAtItsRecordedSizeUnlessSizeIsGiven) {
  if (!std::filesystem::exists(std::string(SKYREND_PROGRAM_DIR) + "/skyrend-sim"))
    GTEST_SKIP() << "skyrend-sim is not built";
  const std::string Demo = testing::TempDir() + "/sized-demo.txt";
  const std::string Png = testing::TempDir() + "/sized-demo.png";
  std::FILE* F = std::fopen(Demo.c_str(), "w");
  ASSERT_TRUE(F);
  std::fputs((DemoHeaderLine(40, 30) + "\n1 tick 16\n").c_str(), F);
  std::fclose(F);

  TRun R = RunSim("--frames 2 --script " + Demo + " --shot 2:" + Png);
  ASSERT_EQ(R.Code, 0) << R.Output;
  EXPECT_EQ(PngSize(Png), std::make_pair(40, 30));
  R = RunSim("--size 50x20 --frames 2 --script " + Demo + " --shot 2:" + Png);
  ASSERT_EQ(R.Code, 0) << R.Output;
  EXPECT_EQ(PngSize(Png), std::make_pair(50, 20));
}

TEST(SimulatorProgram, AScriptPlaysToItsLastFrameUnlessFramesIsGiven) {
  if (!std::filesystem::exists(std::string(SKYREND_PROGRAM_DIR) + "/skyrend-sim"))
    GTEST_SKIP() << "skyrend-sim is not built";
  const std::string Script = testing::TempDir() + "/seven-frames.txt";
  std::FILE* F = std::fopen(Script.c_str(), "w");
  ASSERT_TRUE(F);
  std::fputs("1 tick 16\n7 down 90   # the last frame\n", F);
  std::fclose(F);

  TRun R = RunSim("--size 64x48 --trace - --script " + Script);
  ASSERT_EQ(R.Code, 0) << R.Output;
  EXPECT_EQ(Occurrences(R.Output, "{\"frame\":"), 7);
  R = RunSim("--size 64x48 --trace - --frames 9 --script " + Script);
  EXPECT_EQ(Occurrences(R.Output, "{\"frame\":"), 9);
  R = RunSim("--size 64x48 --trace - --shot 8:" + testing::TempDir() + "/late.png --script " + Script);
  EXPECT_EQ(R.Code, 2);
  EXPECT_NE(R.Output.find("--shot frame 8 comes after the last frame 7"), std::string::npos) << R.Output;
}

// The player's files reach a simulated game only when named: the machine's
// own files (here in XDG_DATA_HOME) never change a trace.
TEST(SimulatorProgram, ReadsNoPlayersFilesUnlessNamed) {
  if (!std::filesystem::exists(std::string(SKYREND_PROGRAM_DIR) + "/skyrend-sim"))
    GTEST_SKIP() << "skyrend-sim is not built";
  const std::string Data = testing::TempDir() + "/sim-data";
  std::filesystem::create_directories(Data + "/skyrend");
  const std::string Scores = Data + "/skyrend/scores.txt";
  std::FILE* F = std::fopen(Scores.c_str(), "w");
  ASSERT_TRUE(F);
  std::fputs("4321 2 2026-01-01\nbroken\n", F);
  std::fclose(F);

  TRun R = RunSim("--size 64x48 --frames 2 --trace -");
  const std::string Plain = R.Output;
  R = RunSim("--size 64x48 --frames 2 --trace - --scores " + Scores);
  ASSERT_EQ(R.Code, 0) << R.Output;
  EXPECT_NE(R.Output.find("\"highScore\":4321"), std::string::npos) << R.Output;
  EXPECT_NE(R.Output.find("skyrend-sim: " + Scores + ":2: not a \"score level date\" line"), std::string::npos);
  setenv("XDG_DATA_HOME", Data.c_str(), 1);
  R = RunSim("--size 64x48 --frames 2 --trace -");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(R.Output, Plain);
}
