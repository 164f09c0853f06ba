// The input script: every verb read from text, written back, and bad lines
// and unreadable files rejected with a message naming the line or the reason.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "QuoteWord.h"
#include "ScriptFormat.h"
#include "frmMainGL.h"

namespace {

TScriptEvent Parse(const std::string& Line) {
  TScriptEvent E;
  EXPECT_TRUE(ParseScriptLine(Line, 7, E)) << Line;
  return E;
}

std::string ErrorOf(const std::string& Line, int Number = 12) {
  TScriptEvent E;
  try {
    ParseScriptLine(Line, Number, E);
  } catch (const EScriptError& e) {
    EXPECT_EQ(e.Line(), Number);
    return e.what();
  }
  return "";
}

}  // namespace

TEST(ScriptFormat, ReadsEveryVerb) {
  TScriptEvent E = Parse("105 down 90");
  EXPECT_EQ(E.Frame, 105);
  EXPECT_EQ(E.Verb, TScriptVerb::Down);
  EXPECT_EQ(E.A, 90);
  EXPECT_EQ(E.Line, 7);

  EXPECT_EQ(Parse("3 repeat 38").Verb, TScriptVerb::Repeat);
  EXPECT_EQ(Parse("3 up 255").A, 255);

  E = Parse("  4\tmouse -12 30 right left  ");
  EXPECT_EQ(E.Verb, TScriptVerb::Mouse);
  EXPECT_EQ(E.A, -12);
  EXPECT_EQ(E.B, 30);
  EXPECT_EQ(E.Bits, uint32_t(ssLeft | ssRight));
  EXPECT_EQ(Parse("4 mouse 0 0").Bits, 0u);

  EXPECT_EQ(Parse("9 click").Verb, TScriptVerb::Click);

  E = Parse("10 joy -32768 32767 1 3 32");
  EXPECT_EQ(E.Verb, TScriptVerb::Joy);
  EXPECT_EQ(E.A, -32768);
  EXPECT_EQ(E.B, 32767);
  EXPECT_EQ(E.Bits, 0x80000005u);

  E = Parse("11 tick 4294967295 # the clock wraps after this");
  EXPECT_EQ(E.Verb, TScriptVerb::Tick);
  EXPECT_EQ(E.A, 4294967295LL);
}

TEST(ScriptFormat, BlankAndCommentLinesHoldNoEvent) {
  TScriptEvent E;
  EXPECT_FALSE(ParseScriptLine("", 1, E));
  EXPECT_FALSE(ParseScriptLine("   \t ", 1, E));
  EXPECT_FALSE(ParseScriptLine("# 5 down 90", 1, E));
  EXPECT_FALSE(ParseScriptLine("\r", 1, E));
  const auto Events = ParseScript("# demo\n1 tick 16\r\n\n2 down 90 # fire\n2 up 90\n");
  ASSERT_EQ(Events.size(), 3u);
  EXPECT_EQ(Events[1].Line, 4);
  EXPECT_EQ(Events[2].Verb, TScriptVerb::Up);
}

TEST(ScriptFormat, WritesLinesThatReadBackTheSame) {
  const char* Lines[] = {"1 down 90", "2 repeat 90", "3 up 90", "4 mouse -5 7", "5 mouse 1 2 left",
                         "6 mouse 3 -4 left right", "7 click", "8 joy 0 0", "9 joy -100 200 1 2 32",
                         "10 tick 0", "11 tick 123456", "12 size 1920 1080", "13 stage busy",
                         "14 stage hit", "15 stage scheme 10", "16 stage score 2147483647", "17 stage level 9"};
  for (const char* Line : Lines) {
    const TScriptEvent E = Parse(Line);
    EXPECT_EQ(FormatScriptEvent(E), Line);
    EXPECT_EQ(Parse(FormatScriptEvent(E)), E);
  }
}

TEST(ScriptFormat, BadLinesNameTheLineAndTheFault) {
  EXPECT_EQ(ErrorOf("5 jump 3"), "line 12: unknown verb \"jump\" (down, repeat, up, mouse, click, joy, tick, size, stage)");
  EXPECT_EQ(ErrorOf("5"), "line 12: expected \"FRAME VERB ARGS\"");
  const std::string StageUsage = "line 12: expected \"FRAME stage busy|hit|scheme N|score N|level N\"";
  for (const char* Line : {"5 stage", "5 stage fly", "5 stage busy 1", "5 stage scheme"})
    EXPECT_EQ(ErrorOf(Line), StageUsage) << Line;
  EXPECT_EQ(ErrorOf("5 stage scheme 11"), "line 12: scheme 11 is outside 0..10");
  EXPECT_EQ(ErrorOf("5 stage level 10"), "line 12: level 10 is outside 0..9");
  EXPECT_EQ(ErrorOf("down 90"), "line 12: frame \"down\" is not a whole number");
  EXPECT_EQ(ErrorOf("0 click"), "line 12: frame 0 is outside 1..100000000");
  EXPECT_EQ(ErrorOf("1000000000 click"), "line 12: frame 1000000000 is outside 1..100000000");
  EXPECT_EQ(ErrorOf("-3 click"), "line 12: frame -3 is outside 1..100000000");
  EXPECT_EQ(ErrorOf("5 down"), "line 12: expected \"FRAME down|repeat|up VK\"");
  EXPECT_EQ(ErrorOf("5 down 90 91"), "line 12: expected \"FRAME down|repeat|up VK\"");
  EXPECT_EQ(ErrorOf("5 up 256"), "line 12: key code 256 is outside 1..255");
  EXPECT_EQ(ErrorOf("5 repeat 0x20"), "line 12: key code \"0x20\" is not a whole number");
  EXPECT_EQ(ErrorOf("5 down +9"), "line 12: key code \"+9\" is not a whole number");
  EXPECT_EQ(ErrorOf("5 mouse 3"), "line 12: expected \"FRAME mouse DX DY [left] [right]\"");
  EXPECT_EQ(ErrorOf("5 mouse 3 4 middle"), "line 12: mouse button \"middle\" must be left or right, once each");
  EXPECT_EQ(ErrorOf("5 mouse 3 4 left left"), "line 12: mouse button \"left\" must be left or right, once each");
  EXPECT_EQ(ErrorOf("5 mouse 1.5 4"), "line 12: mouse DX \"1.5\" is not a whole number");
  EXPECT_EQ(ErrorOf("5 click now"), "line 12: expected \"FRAME click\"");
  EXPECT_EQ(ErrorOf("5 joy 32768 0"), "line 12: joystick X 32768 is outside -32768..32767");
  EXPECT_EQ(ErrorOf("5 joy 0 -32769"), "line 12: joystick Y -32769 is outside -32768..32767");
  EXPECT_EQ(ErrorOf("5 joy 0 0 33"), "line 12: joystick button 33 is outside 1..32");
  EXPECT_EQ(ErrorOf("5 joy 0 0 0"), "line 12: joystick button 0 is outside 1..32");
  EXPECT_EQ(ErrorOf("5 tick 4294967296"), "line 12: tick 4294967296 is outside 0..4294967295");
  EXPECT_EQ(ErrorOf("5 tick -1"), "line 12: tick -1 is outside 0..4294967295");
  EXPECT_EQ(ErrorOf("5 tick 99999999999999999999"), "line 12: tick 99999999999999999999 is outside 0..4294967295");
}

TEST(ScriptFormat, AScriptReportsItsFirstBadLine) {
  try {
    ParseScript("1 down 90\n\n# fine so far\n4 down ninety\n5 jump\n");
    FAIL() << "a bad line was accepted";
  } catch (const EScriptError& e) {
    EXPECT_EQ(e.Line(), 4);
    EXPECT_EQ(std::string(e.what()), "line 4: key code \"ninety\" is not a whole number");
  }
  EXPECT_THROW(ReadScriptFile("/nonexistent/skyrend/demo.txt"), EScriptError);
}

TEST(ScriptFormat, BadWordsAreClippedAndEscapedInMessages) {
  EXPECT_EQ(QuoteWord(std::string(100, 'a')), std::string(40, 'a') + "...");
  EXPECT_EQ(QuoteWord(std::string(40, 'a')), std::string(40, 'a'));
  // Control bytes (C0, DEL, C1), bytes that are not UTF-8, and overlong or
  // cut sequences are written as \xNN; well-formed UTF-8 counts one per character.
  EXPECT_EQ(QuoteWord("a\x1b[2Jb\x7f"), "a\\x1b[2Jb\\x7f");
  EXPECT_EQ(QuoteWord("\xc2\x9b" "1m"), "\\xc2\\x9b1m");
  EXPECT_EQ(QuoteWord("\xff\xc0\xaf\xe2\x82"), "\\xff\\xc0\\xaf\\xe2\\x82");
  EXPECT_EQ(QuoteWord("\xed\xa0\x80"), "\\xed\\xa0\\x80");  // a surrogate
  EXPECT_EQ(QuoteWord("say \"\\\""), "say \\\"\\\\\\\"");
  std::string Words;
  for (int i = 0; i < 45; ++i) Words += "\xc3\xa9";  // é
  EXPECT_EQ(QuoteWord(Words), Words.substr(0, 80) + "...");
  // In a script's message.
  EXPECT_EQ(ErrorOf("5 " + std::string(4000, 'x') + "\x07"),
            "line 12: unknown verb \"" + std::string(40, 'x') + "...\" (down, repeat, up, mouse, click, joy, tick, size, stage)");
  EXPECT_EQ(ErrorOf("5 down \x01\xfe"), "line 12: key code \"\\x01\\xfe\" is not a whole number");
}

TEST(ScriptFormat, AFrameThatGoesBackIsAnErrorNamingItsLine) {
  EXPECT_EQ(ParseScript("3 down 90\n3 up 90\n4 click\n").size(), 3u);
  try {
    ParseScript("3 down 90\n# a comment\n7 up 90\n\n5 click\n");
    FAIL() << "a frame going back was accepted";
  } catch (const EScriptError& e) {
    EXPECT_EQ(e.Line(), 5);
    EXPECT_EQ(std::string(e.what()), "line 5: frame 5 comes after frame 7 (line 3): frames must not go back");
  }
}

TEST(ScriptFormat, AFileThatCannotBeReadIsAnErrorWithItsReason) {
  const auto ErrorReading = [](const std::string& Path) -> std::string {
    try {
      ReadScriptText(Path);
    } catch (const EScriptError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(ErrorReading("/nonexistent/skyrend/demo.txt"), "cannot read the script: No such file or directory");
  EXPECT_EQ(ErrorReading(testing::TempDir()), "cannot read the script: Is a directory");
  EXPECT_EQ(ErrorReading("/proc/self/mem"), "cannot read the script: Input/output error");  // opens, then fails
  EXPECT_NE(ReadScriptText("/proc/self/status").find("Name:"), std::string::npos);  // claims a size of 0
  const std::string Locked = testing::TempDir() + "/locked-script.txt";
  std::FILE* F = std::fopen(Locked.c_str(), "w");
  ASSERT_TRUE(F);
  std::fputs("1 click\n", F);
  std::fclose(F);
  chmod(Locked.c_str(), 0);
  if (geteuid() != 0) {  // root reads it all the same
    EXPECT_EQ(ErrorReading(Locked), "cannot read the script: Permission denied");
  }
  std::remove(Locked.c_str());
}

TEST(ScriptFormat, ADemoNamesItsWindowSizeInItsFirstLine) {
  int W = 0, H = 0;
  EXPECT_TRUE(ReadDemoHeader(DemoHeaderLine(1280, 1024) + "\n1 tick 16\n", W, H));
  EXPECT_EQ(W, 1280);
  EXPECT_EQ(H, 1024);
  EXPECT_TRUE(ParseScript(DemoHeaderLine(1280, 1024) + "\n").empty());  // a comment to the reader
  // A demo recorded in the largest window the settings allow plays back.
  EXPECT_TRUE(ReadDemoHeader(DemoHeaderLine(MaxViewSide, MaxViewSide) + "\n", W, H));
  EXPECT_EQ(W, MaxViewSide);
  EXPECT_FALSE(ReadDemoHeader("1 tick 16\n" + DemoHeaderLine(640, 480), W, H));
  EXPECT_FALSE(ReadDemoHeader("", W, H));
  for (const char* Bad : {"# Skyrend demo at 0x480: x", "# Skyrend demo at 640x: x", "# Skyrend demo at big\n"})
    EXPECT_THROW(ReadDemoHeader(Bad, W, H), EScriptError) << Bad;
}

TEST(ScriptFormat, ADemoOfOtherRulesIsRefusedNamingBothVersions) {
  const std::string Ours = std::string("this game plays rules version ") + DemoRulesVersion();
  const struct {
    std::string Text, Error;
  } Cases[] = {
      {DemoHeaderLine(640, 480) + "\n1 down 90\n", ""},
      {"# Skyrend demo at 640x480, rules 0.9: x\n1 down 90\n", "line 1: recorded under rules version \"0.9\"; " + Ours},
      {"# Skyrend demo at 640x480: x\n1 down 90\n", "line 1: recorded under no rules version (an older game); " + Ours},
      {"1 down 90\n", "line 1: not a demo: its first line names no window size and rules version"},
  };
  for (const auto& Case : Cases) {
    std::string Error;
    try {
      EXPECT_EQ(ParseGameDemo(Case.Text).size(), 1u);
    } catch (const EScriptError& e) {
      Error = e.what();
    }
    EXPECT_EQ(Error, Case.Error) << Case.Text;
    EXPECT_EQ(ParseScript(Case.Text).size(), 1u) << "a script runs whatever its rules";
  }
  int W = 0, H = 0;
  std::string Rules = "x";
  EXPECT_TRUE(ReadDemoHeader("# Skyrend demo at 800x600, rules 7b: y\n", W, H, &Rules));
  EXPECT_EQ(W * 10000 + H, 8000600);
  EXPECT_EQ(Rules, "7b");
}

TEST(ScriptFormat, AFileIsBoundedInSizeKindAndLineLength) {
  const auto ErrorReading = [](const std::string& Path) -> std::string {
    try {
      ReadScriptFile(Path);
    } catch (const EScriptError& e) {
      return e.what();
    }
    return "no error";
  };
  // A FIFO would block the reader for ever, a device never end.
  const std::string Fifo = testing::TempDir() + "/script-fifo";
  std::remove(Fifo.c_str());
  ASSERT_EQ(mkfifo(Fifo.c_str(), 0600), 0);
  EXPECT_EQ(ErrorReading(Fifo), "cannot read the script: Not a regular file");
  std::remove(Fifo.c_str());
  EXPECT_EQ(ErrorReading("/dev/zero"), "cannot read the script: Not a regular file");

  // One byte over the limit, as a sparse file: refused before it is read.
  const std::string Big = testing::TempDir() + "/script-big.txt";
  std::FILE* F = std::fopen(Big.c_str(), "w");
  ASSERT_TRUE(F);
  ASSERT_EQ(ftruncate(fileno(F), off_t(MaxScriptBytes) + 1), 0);
  std::fclose(F);
  EXPECT_EQ(ErrorReading(Big), "cannot read the script: larger than 32 MB, more than any demo");
  std::remove(Big.c_str());

  EXPECT_EQ(ParseScript("1 click #" + std::string(MaxScriptLineBytes - 9, 'x') + "\n").size(), 1u);
  try {
    ParseScript("1 click\n2 click #" + std::string(MaxScriptLineBytes, 'x') + "\n");
    FAIL() << "an overlong line was accepted";
  } catch (const EScriptError& e) {
    EXPECT_EQ(std::string(e.what()), "line 2: the line is longer than 4096 bytes");
  }
}

TEST(ScriptFormat, AByteOrderMarkIsSkippedAndPlayChecksTheDemoHeader) {
  const std::string Bom = "\xEF\xBB\xBF";
  const auto Events = ParseScript(Bom + "1 down 90\n");
  ASSERT_EQ(Events.size(), 1u);
  EXPECT_EQ(Events[0].A, 90);
  int W = 0, H = 0;
  EXPECT_TRUE(ReadDemoHeader(Bom + DemoHeaderLine(640, 480) + "\n", W, H));
  EXPECT_EQ(W, 640);

  // What the simulator refuses, the game's --play refuses too.
  const std::string Path = testing::TempDir() + "/script-header.txt";
  for (const char* Header : {"# Skyrend demo at 100000x100000: x\n", "# Skyrend demo at 0x0: x\n"}) {
    std::FILE* F = std::fopen(Path.c_str(), "w");
    ASSERT_TRUE(F);
    std::fputs(Header, F);
    std::fputs("1 tick 16\n", F);
    std::fclose(F);
    EXPECT_THROW(ReadGameDemo(Path), EScriptError) << Header;
  }
  std::remove(Path.c_str());
}
