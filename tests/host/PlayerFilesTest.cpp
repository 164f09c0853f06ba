// The settings and score files: their text both ways, damaged lines, the
// command line's settings kept out of the file, and two programs adding
// their games to one score file at once.
#include "PlayerFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ScoreFile.h"
#include "SettingsFile.h"
#include "SettingsOverrides.h"
#include "TextFile.h"

namespace {

// A fresh folder under the test's temporary folder.
class PlayerFilesTest : public ::testing::Test {
 protected:
  PlayerFilesTest() {
    char Name[] = "/tmp/skyrend-files-XXXXXX";
    Folder = mkdtemp(Name);
    Paths = {Folder + "/config/skyrend/settings.ini", Folder + "/data/skyrend/scores.txt"};
  }
  ~PlayerFilesTest() override { std::system(("chmod -R u+w '" + Folder + "' && rm -rf '" + Folder + "'").c_str()); }

  TPlayerFiles Store() {
    return TPlayerFiles(Paths, [this](const std::string& W) { Warnings.push_back(W); });
  }
  // The game's outcome; a lock held elsewhere is waited for here, as at a quit.
  static TScoreSave Add(TPlayerStore& S, const TScoreEntry& Game) {
    TScoreSave Got;
    S.AddScore(Game, [&Got](const TScoreSave& Save) { Got = Save; });
    S.FinishSaves();
    return Got;
  }
  std::string Read(const std::string& Path) {
    std::string Text, Error;
    ReadTextFile(Path, Text, Error);
    return Text;
  }
  void Write(const std::string& Path, const std::string& Text) {
    std::string Error;
    ASSERT_TRUE(WriteTextFileAtomically(Path, Text, Error)) << Error;
  }

  std::string Folder;
  TPlayerPaths Paths;
  std::vector<std::string> Warnings;
};

TSettings Changed() {
  TSettings S;
  S.Volume = 35;
  S.Muted = true;
  S.MouseSpeed = 0.75;
  S.InvertMouse = true;
  S.ReduceFlashing = true;
  S.Multisampling = 0;
  S.Vsync = false;
  S.FullScreen = false;
  S.WindowWidth = 1280;
  S.WindowHeight = 720;
  S.ShowFps = true;
  S.ShareScores = true;
  S.PlayerName = "Ann-2 b.c_";
  S.Board = "https://board.example:8443/skyrend";
  return S;
}

TEST(SettingsFile, EveryValueRoundTripsAndARewriteKeepsThePlayersOwnLines) {
  std::vector<std::string> Warnings;
  EXPECT_EQ(ParseSettings(FormatSettings(Changed()), "s", Warnings), Changed());
  EXPECT_EQ(ParseSettings(FormatSettings(TSettings{}), "s", Warnings), TSettings{});
  EXPECT_TRUE(Warnings.empty());

  const std::string Old = "# mine\nvolume = 80  # loud\nmy_own = 1\n\nVSYNC = off\nvolume = 70\n";
  const std::string New = FormatSettings(Changed(), Old);
  EXPECT_EQ(New.rfind("# mine\nvolume = 35\nmy_own = 1\n\nvsync = no\n", 0), 0u) << New;
  EXPECT_EQ(New.find("volume = 70"), std::string::npos);  // a repeat goes: one value stays
  EXPECT_EQ(ParseSettings(New, "s", Warnings), Changed());
}

// A browser that asks for reduced motion turns reduce_flashing on while the
// text has no line for it, and a save of another setting does not pin it.
TEST(SettingsFile, APlatformsDefaultHoldsUntilThePlayerSetsTheKey) {
  TSettings Reduced;
  Reduced.ReduceFlashing = true;
  std::vector<std::string> W;
  EXPECT_TRUE(ParseSettings("volume = 50\n", "s", W, SIZE_MAX, Reduced).ReduceFlashing);
  EXPECT_TRUE(ParseSettings("reduce_flashing = maybe\n", "s", W, SIZE_MAX, Reduced).ReduceFlashing);
  EXPECT_FALSE(ParseSettings("reduce_flashing = no\n", "s", W, SIZE_MAX, Reduced).ReduceFlashing);
  const std::vector<std::string> Platforms = {"reduce_flashing"};
  for (const bool Asked : {true, false}) {  // a browser that asks for reduced motion, and one that does not
    TSettings Defaults;
    Defaults.ReduceFlashing = Asked;
    TSettings Quieter = Defaults;
    Quieter.Volume = 40;
    const std::string Saved = FormatSettings(Quieter, "volume = 50\n", Defaults, Platforms);
    EXPECT_EQ(Saved.find("reduce_flashing"), std::string::npos) << Saved;
    EXPECT_NE(Saved.find("vsync = yes"), std::string::npos) << Saved;  // the program's own defaults are written
    Quieter.ReduceFlashing = !Asked;  // the player sets it: now it is kept
    EXPECT_NE(FormatSettings(Quieter, Saved, Defaults, Platforms).find(Asked ? "reduce_flashing = no" : "reduce_flashing = yes"),
              std::string::npos);
  }
}

TEST(SettingsFile, BadLinesAreNamedByFileAndLineAndTheirDefaultsUsed) {
  std::vector<std::string> W;
  const TSettings S = ParseSettings(
      "volume = 101\nmouse_speed = 2.5\nmuted = maybe\nwindow_size = 600x400\nnonsense\ncolour = red\n"
      "multisampling = 16\nmouse_speed = 0.1\ninvert_mouse = YES\n"
      "player_name = Robert'); DROP\nboard = ftp://x\nplayer_name =  \nboard = http:///x\n",
      "/x/settings.ini", W);
  EXPECT_EQ(S.Volume, 100);
  EXPECT_EQ(S.MouseSpeed, 1.0);  // the later bad line gives the default, not the earlier good one
  EXPECT_FALSE(S.Muted);
  EXPECT_EQ(S.WindowWidth, 1024);
  EXPECT_EQ(S.Multisampling, MultisamplingAuto);
  EXPECT_TRUE(S.InvertMouse);
  EXPECT_EQ(S.PlayerName, "");
  EXPECT_EQ(S.Board, "");
  ASSERT_EQ(W.size(), 10u);
  EXPECT_EQ(W[0], "/x/settings.ini:1: volume \"101\" is not a whole number from 0 to 100; 100 used");
  EXPECT_EQ(W[1].rfind("/x/settings.ini:3: muted", 0), 0u);
  EXPECT_EQ(W[3].rfind("/x/settings.ini:5: not a \"key = value\" line", 0), 0u);
  EXPECT_EQ(W[4].rfind("/x/settings.ini:6: unknown setting \"colour\"", 0), 0u);
  EXPECT_EQ(W[6].rfind("/x/settings.ini:8: mouse_speed", 0), 0u);
  EXPECT_EQ(W[7], "/x/settings.ini:10: player_name \"Robert'); DROP\" is not 1 to 16 letters, digits, spaces and -_.; none used");
  EXPECT_EQ(W[8].rfind("/x/settings.ini:11: board \"ftp://x\" is not an http:// or https:// address", 0), 0u);
  EXPECT_EQ(W[9].rfind("/x/settings.ini:13: board", 0), 0u);
}

TEST(ScoreFile, TheTableRoundTripsBestFirstAndDamagedLinesAreSkipped) {
  TScoreTable T;
  for (int i = 0; i < 12; ++i) InsertScore(T, {1000 * (i % 5), 1 + i % 10, "2026-12-0" + std::to_string(1 + i % 9)});
  std::vector<std::string> W;
  bool Damaged = true;
  EXPECT_EQ(ParseScores(FormatScores(T), "s", W, Damaged), T);
  EXPECT_FALSE(Damaged);
  EXPECT_EQ(T.size(), 10u);

  const TScoreTable Read = ParseScores(
      "# best\n500 2 2026-01-05\n900 3 2026-02-30\n\n-4 1 2026-01-01\n700 11 2026-01-01\n800 4 2026-01-01 x\n"
      "garbage\n2000 10 2024-02-29\n",
      "/d/scores.txt", W, Damaged);
  EXPECT_TRUE(Damaged);
  ASSERT_EQ(Read.size(), 2u);
  EXPECT_EQ(Read[0], (TScoreEntry{2000, 10, "2024-02-29"}));
  EXPECT_EQ(Read[1], (TScoreEntry{500, 2, "2026-01-05"}));
  ASSERT_EQ(W.size(), 5u);
  EXPECT_EQ(W[0], "/d/scores.txt:3: not a \"score level date\" line; skipped");
  EXPECT_EQ(W[4].rfind("/d/scores.txt:8:", 0), 0u);
}

TEST_F(PlayerFilesTest, NoFilesGiveDefaultsAndNothingIsWrittenUntilAChange) {
  TPlayerFiles S = Store();
  EXPECT_EQ(S.LoadSettings(), TSettings{});
  EXPECT_TRUE(S.LoadScores().empty());
  EXPECT_TRUE(Warnings.empty());
  struct stat St;
  EXPECT_NE(stat((Folder + "/config").c_str(), &St), 0);

  S.SaveSettings(Changed());
  TPlayerFiles Again = Store();
  EXPECT_EQ(Again.LoadSettings(), Changed());
}

TEST_F(PlayerFilesTest, OnlyWhatTheGameChangesIsSavedNotTheCommandLinesOverrides) {
  Write(Paths.Settings, "fullscreen = yes\nvolume = 90\n");
  TPlayerFiles S = Store();
  TSettingsOverrides O;
  O.FullScreen = false;
  O.Volume = 10;
  TSettings Run = ApplyOverrides(S.LoadSettings(), O);
  S.SetRunSettings(Run);
  EXPECT_FALSE(Run.FullScreen);
  Run.MouseSpeed = 2;
  S.SaveSettings(Run);
  Run.Volume = 20;  // changed in the game after the command line set it: now saved
  S.SaveSettings(Run);
  std::vector<std::string> W;
  const TSettings Saved = ParseSettings(Read(Paths.Settings), "s", W);
  EXPECT_TRUE(Saved.FullScreen);
  EXPECT_EQ(Saved.MouseSpeed, 2);
  EXPECT_EQ(Saved.Volume, 20);
}

TEST_F(PlayerFilesTest, ADamagedScoreFileIsKeptAsBadAndEveryReadableGameStays) {
  const std::string Damaged = "900 5 2026-03-01\n\x01\x02 zz\n300 2 2026-03-02\n";
  Write(Paths.Scores, Damaged);
  TPlayerFiles S = Store();
  EXPECT_EQ(S.LoadScores().size(), 2u);
  ASSERT_EQ(Warnings.size(), 1u);
  EXPECT_NE(Warnings[0].find("scores.txt:2:"), std::string::npos);
  const TScoreTable T = Add(S, {500, 3, "2026-03-03"}).Table;
  EXPECT_EQ(FormatScores(T), "900 5 2026-03-01\n500 3 2026-03-03\n300 2 2026-03-02\n");
  EXPECT_EQ(Read(Paths.Scores), FormatScores(T));
  EXPECT_EQ(Read(Paths.Scores + ".bad"), Damaged);
}

TEST_F(PlayerFilesTest, TheTablesGamesKeepTheirDemosAndAGameThatLeavesItTakesItsDemoAlong) {
  // Another program's game, kept with its demo; ten games fill the table.
  const std::string Replays = FolderOf(Paths.Scores) + "/replays/";
  Write(Paths.Scores, "100 1 2026-01-01 old.txt\n");
  Write(Replays + "old.txt", "# old\n");
  TPlayerFiles S = Store();
  S.ReplayStamp = [] { return std::string("2026-12-08_10-00-00"); };
  EXPECT_EQ(S.LoadScores().at(0).Replay, "old.txt");
  std::string Problem;
  for (int i = 0; i < 9; ++i) {
    const std::string Name = S.KeepReplay("demo " + std::to_string(i), Problem);
    EXPECT_EQ(Name, "2026-12-08_10-00-00" + (i ? "-" + std::to_string(i + 1) : std::string()) + ".txt");
    Add(S, {1000 + i, 1, "2026-12-08", Name});
  }
  EXPECT_EQ(Read(Replays + "2026-12-08_10-00-00-9.txt"), "demo 8");
  EXPECT_EQ(S.KeepReplay("ten", Problem), "") << "every name of that second is taken";
  EXPECT_EQ(Problem, "every name for 2026-12-08_10-00-00 is taken");
  S.ReplayStamp = [] { return std::string("2026-12-08_10-00-01"); };
  // The eleventh game pushes the other program's out: its demo goes with it.
  Add(S, {2000, 2, "2026-12-08", S.KeepReplay("best", Problem)});
  EXPECT_EQ(access((Replays + "old.txt").c_str(), F_OK), -1);
  EXPECT_EQ(Read(Paths.Scores).substr(0, 42), "2000 2 2026-12-08 2026-12-08_10-00-01.txt\n");
  // A game below the table keeps its demo as the last game's, until the next game ends.
  const std::string Low = S.KeepReplay("low", Problem);
  Add(S, {5, 1, "2026-12-08", Low});
  EXPECT_EQ(Read(Replays + Low), "low");
  Add(S, {6, 1, "2026-12-08", S.KeepReplay("low too", Problem)});
  EXPECT_EQ(access((Replays + Low).c_str(), F_OK), -1);
  // A fourth field that could name a path is damage, not a demo.
  std::vector<std::string> W;
  bool Damaged = false;
  EXPECT_TRUE(ParseScores("1 1 2026-01-01 ../x.txt\n", "s", W, Damaged).empty());
  EXPECT_TRUE(Damaged);
}

TEST_F(PlayerFilesTest, AHugeScoreFileIsNeitherReadWholeNorReplaced) {
  const std::string Huge(MaxTextFileBytes + 1, '1');
  std::string Made;
  ASSERT_TRUE(MakeFolders(FolderOf(Paths.Scores), Made));
  std::ofstream(Paths.Scores, std::ios::binary) << Huge;  // more than the game itself would write
  TPlayerFiles S = Store();
  EXPECT_TRUE(S.LoadScores().empty());
  EXPECT_FALSE(Add(S, {200, 2, "2026-01-02"}).Saved);
  EXPECT_EQ(S.Unsaved().size(), 1u);
  struct stat St;
  ASSERT_EQ(stat(Paths.Scores.c_str(), &St), 0);
  EXPECT_EQ(size_t(St.st_size), Huge.size());  // not replaced
  std::string Text, Error;
  EXPECT_FALSE(ReadTextFile(Paths.Scores, Text, Error));
  EXPECT_EQ(Error, "larger than 1 MB");
  ASSERT_EQ(Warnings.size(), 3u);
  EXPECT_NE(Warnings[0].find("scores.txt: cannot be read: larger than 1 MB"), std::string::npos);
  EXPECT_NE(Warnings[2].find("the score cannot be saved"), std::string::npos);
}

TEST_F(PlayerFilesTest, AFolderThatCannotBeMadeIsAWarningAndTheGamesWaitForTheNextSave) {
  // A file where the folder should be: no program may write there, root included.
  Write(Folder + "/data/skyrend", "");
  TPlayerFiles S = Store();
  Add(S, {100, 1, "2026-01-01"});
  const TScoreSave Save = Add(S, {200, 2, "2026-01-02"});
  EXPECT_FALSE(Save.Saved);
  EXPECT_EQ(Save.Problem, "Not a directory");
  EXPECT_TRUE(Save.Table.empty());  // no place claimed in a table that was not written
  EXPECT_EQ(S.Unsaved().size(), 2u);
  ASSERT_FALSE(Warnings.empty());
  EXPECT_NE(Warnings.back().find("scores.txt: the score cannot be saved: Not a directory"), std::string::npos);
}

TEST_F(PlayerFilesTest, GamesEndingAtOnceInSeveralProgramsAreAllKept) {
  // Two stores in one program, each read before the other wrote.
  TPlayerFiles A = Store(), B = Store();
  A.LoadScores();
  B.LoadScores();
  Add(A, {100, 1, "2026-01-01"});
  EXPECT_EQ(Add(B, {200, 2, "2026-01-01"}).Table.size(), 2u);

  // Eight programs, each ending twenty games as fast as it can.
  constexpr int Programs = 8, Games = 20;
  std::vector<pid_t> Children;
  for (int p = 0; p < Programs; ++p) {
    const pid_t Pid = fork();
    if (Pid == 0) {
      TPlayerFiles Mine(Paths, [](const std::string&) {});
      for (int g = 0; g < Games; ++g) Add(Mine, {1000 + p * 100 + g, 1, "2026-01-02"});
      _exit(0);
    }
    Children.push_back(Pid);
  }
  for (pid_t Pid : Children) {
    int Status = 0;
    waitpid(Pid, &Status, 0);
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  }
  std::vector<std::string> W;
  bool Damaged;
  const TScoreTable T = ParseScores(Read(Paths.Scores), "s", W, Damaged);
  EXPECT_FALSE(Damaged);
  // The ten best of all 160 games: the last program's 1700..1719, best first.
  ASSERT_EQ(T.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(T[i].Score, 1719 - i);
}

TEST_F(PlayerFilesTest, ALockHeldElsewhereIsWaitedForWithoutBlockingAndTheGameIsSavedWithTheNext) {
  TPlayerFiles S = Store();
  std::string Error;
  ASSERT_TRUE(MakeFolders(FolderOf(Paths.Scores), Error)) << Error;
  const int Other = open((Paths.Scores + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_EQ(flock(Other, LOCK_EX), 0);  // another program's open file: a lock of its own
  std::vector<TScoreSave> Told;
  const auto Note = [&Told](const TScoreSave& Save) { Told.push_back(Save); };
  S.AddScore({300, 2, "2026-01-01"}, Note);
  S.Poll();
  EXPECT_TRUE(Told.empty() && S.Saving()) << "the merge waits without blocking";
  S.FinishSaves();  // waits out the rest of the 2 s
  ASSERT_EQ(Told.size(), 1u);
  EXPECT_FALSE(Told[0].Saved);
  EXPECT_EQ(Told[0].Problem, "another program holds scores.txt.lock; tried again with the next game");

  // Two games end while the lock is held again; both are saved, with the first, once it is let go.
  S.AddScore({100, 1, "2026-01-02"}, Note);
  S.AddScore({200, 1, "2026-01-03"}, Note);
  close(Other);
  while (S.Saving()) S.Poll();
  ASSERT_EQ(Told.size(), 3u);
  EXPECT_TRUE(Told[1].Saved && Told[2].Saved);
  EXPECT_EQ(Read(Paths.Scores), "300 2 2026-01-01\n200 1 2026-01-03\n100 1 2026-01-02\n");
  EXPECT_TRUE(S.Unsaved().empty());
}

TEST_F(PlayerFilesTest, DamagedTablesAreKeptInTurnNeverOverAnOlderCopy) {
  TPlayerFiles S = Store();
  for (int Copy = 0; Copy <= MaxDamagedCopies; ++Copy) {
    const std::string Damaged = "damaged " + std::to_string(Copy) + "\n";
    Write(Paths.Scores, Damaged);
    const TScoreSave Save = Add(S, {100 + Copy, 1, "2026-01-01"});
    if (Copy < MaxDamagedCopies) {
      EXPECT_TRUE(Save.Saved) << Copy;
      EXPECT_EQ(Read(DamagedCopyName(Paths.Scores, Copy)), Damaged);
    } else {  // every copy is taken: the damaged table is left as it is
      EXPECT_FALSE(Save.Saved);
      EXPECT_EQ(Read(Paths.Scores), Damaged);
    }
  }
  EXPECT_EQ(Read(Paths.Scores + ".bad"), "damaged 0\n");
}

TEST_F(PlayerFilesTest, AFileWarnsTenTimesThenCountsTheRestWithControlBytesEscaped) {
  std::string Scores;
  for (int i = 0; i < 25; ++i) Scores += "bad\n";
  Write(Paths.Scores, Scores);
  Write(Paths.Settings, "volume = \033[2J\n");
  TPlayerFiles S = Store();
  S.LoadScores();
  ASSERT_EQ(Warnings.size(), 11u);
  EXPECT_EQ(Warnings[10], Paths.Scores + ": and 15 more");
  S.LoadSettings();
  EXPECT_EQ(Warnings.back(), Paths.Settings + ":1: holds a control byte; ignored");
}

TEST(PlayerText, ALineWithAControlByteIsDamagedAndTheRestIsKept) {
  // A NUL once cut the table there: the game after it was lost without a word.
  const std::string Scores("7000 3 2026-01-01\n# a\0comment\n12\0 1 2026-01-01\n500 2 2026-01-02\x1b\n400 1 2026-01-03\n", 82);
  std::vector<std::string> Warnings;
  bool Damaged = false;
  const TScoreTable Table = ParseScores(Scores, "s", Warnings, Damaged);
  EXPECT_EQ(Table, (TScoreTable{{7000, 3, "2026-01-01"}, {400, 1, "2026-01-03"}}));
  EXPECT_TRUE(Damaged);
  EXPECT_EQ(Warnings, (std::vector<std::string>{"s:2: holds a control byte; skipped", "s:3: holds a control byte; skipped",
                                                "s:4: holds a control byte; skipped"}));
  Warnings.clear();
  const TSettings S = ParseSettings(std::string("volume = 5\0\nmuted = yes\n", 24), "i", Warnings);
  EXPECT_EQ(S.Volume, TSettings{}.Volume);
  EXPECT_TRUE(S.Muted);
  EXPECT_EQ(Warnings, std::vector<std::string>{"i:1: holds a control byte; ignored"});
}

// Saves that fail leave the old file as it was, and no temporary file beside it.
TEST_F(PlayerFilesTest, ASaveKeepsTheFilesModeAndRefusesWhatCouldNotBeReadAgain) {
  const std::string Dot = Folder + "/dotfiles/settings.ini", Other = Folder + "/other.ini";
  Write(Paths.Settings, "volume = 1\n");
  Write(Dot, "volume = 2\n");
  Write(Other, "secret\n");
  ASSERT_EQ(chmod(Paths.Settings.c_str(), 0600) | chmod(Dot.c_str(), 0640) | chown(Other.c_str(), 65534, 65534), 0);
  const std::string Link = Folder + "/config/skyrend/linked.ini", Planted = Folder + "/config/skyrend/planted.ini";
  ASSERT_EQ(symlink(Dot.c_str(), Link.c_str()) | symlink(Other.c_str(), Planted.c_str()), 0);
  struct {
    std::string Path, Text, Refusal;
    mode_t Mode;
  } Cases[] = {
      {Paths.Settings, "volume = 3\n", "", 0600},
      {Link, "volume = 4\n", "", 0640},
      {Planted, "volume = 5\n", "it links to a file of another user", 0644},
      {Paths.Settings, std::string(MaxTextFileBytes + 1, '#'), "it would be larger than 1 MB, more than the game reads", 0600},
  };
  for (const auto& C : Cases) {
    const std::string Target = FollowLinks(C.Path), Before = Read(Target);
    std::string Error;
    EXPECT_EQ(WriteTextFileAtomically(C.Path, C.Text, Error), C.Refusal.empty()) << C.Path;
    EXPECT_EQ(Error, C.Refusal) << C.Path;
    EXPECT_EQ(Read(Target), C.Refusal.empty() ? C.Text : Before) << C.Path;
    struct stat St;
    ASSERT_EQ(stat(Target.c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 07777, C.Mode) << C.Path;
  }
  // A write error half-way (a file-size limit stands in for a full disk).
  signal(SIGXFSZ, SIG_IGN);
  rlimit Old, Small{4096, 4096};
  getrlimit(RLIMIT_FSIZE, &Old);
  Small.rlim_max = Old.rlim_max;
  setrlimit(RLIMIT_FSIZE, &Small);
  std::string Error;
  const bool Written = WriteTextFileAtomically(Paths.Settings, std::string(8192, '#'), Error);
  setrlimit(RLIMIT_FSIZE, &Old);
  EXPECT_FALSE(Written);
  EXPECT_EQ(Error, "File too large");
  EXPECT_EQ(Read(Paths.Settings), "volume = 3\n");
  // The game's own save says why, and the file stays readable.
  Write(Paths.Settings, std::string(MaxTextFileBytes - 4, '#'));
  TPlayerFiles S = Store();
  S.LoadSettings();
  EXPECT_EQ(S.SaveSettings(Changed()), "it would be larger than 1 MB, more than the game reads");
  // A private damaged table is kept aside private.
  Write(Paths.Scores, "damaged\n");
  ASSERT_EQ(chmod(Paths.Scores.c_str(), 0600), 0);
  EXPECT_TRUE(Add(S, {100, 1, "2026-01-01"}).Saved);
  struct stat Kept;
  ASSERT_EQ(stat((Paths.Scores + ".bad").c_str(), &Kept), 0);
  EXPECT_EQ(Kept.st_mode & 07777, 0600u);
  EXPECT_EQ(std::system(("test -z \"$(find '" + Folder + "' -name '*.?\?\?\?\?\?')\"").c_str()), 0) << "a temporary file was left";
}

TEST_F(PlayerFilesTest, LinkedFilesAreWrittenThroughTheirLinks) {
  for (const std::string& Path : {Paths.Settings, Paths.Scores}) {
    Write(Folder + "/dotfiles/" + Path.substr(Path.rfind('/') + 1), "");
    std::string Error;
    ASSERT_TRUE(MakeFolders(FolderOf(Path), Error)) << Error;
    ASSERT_EQ(symlink(("../../dotfiles/" + Path.substr(Path.rfind('/') + 1)).c_str(), Path.c_str()), 0);
  }
  // The lock file is the program's own, never a link's target: a planted one is not followed.
  ASSERT_EQ(symlink("../../planted.lock", (Paths.Scores + ".lock").c_str()), 0);
  TPlayerFiles S = Store();
  EXPECT_EQ(S.SaveSettings(Changed()), "");
  EXPECT_TRUE(Add(S, {100, 1, "2026-01-01"}).Saved);
  struct stat St;
  EXPECT_NE(lstat((Folder + "/planted.lock").c_str(), &St), 0) << "the lock followed a planted link";
  for (const std::string& Path : {Paths.Settings, Paths.Scores}) {
    ASSERT_EQ(lstat(Path.c_str(), &St), 0);
    EXPECT_TRUE(S_ISLNK(St.st_mode)) << Path;
  }
  EXPECT_EQ(Read(Folder + "/dotfiles/scores.txt"), "100 1 2026-01-01\n");
  EXPECT_NE(Read(Folder + "/dotfiles/settings.ini").find("volume = 35"), std::string::npos);
}

}  // namespace
