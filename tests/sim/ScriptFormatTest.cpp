// The input script: every verb read from text, written back, and bad lines
// rejected with a message naming the line.
#include <gtest/gtest.h>

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
                         "10 tick 0", "11 tick 123456"};
  for (const char* Line : Lines) {
    const TScriptEvent E = Parse(Line);
    EXPECT_EQ(FormatScriptEvent(E), Line);
    EXPECT_EQ(Parse(FormatScriptEvent(E)), E);
  }
}

TEST(ScriptFormat, BadLinesNameTheLineAndTheFault) {
  EXPECT_EQ(ErrorOf("5 jump 3"), "line 12: unknown verb \"jump\" (down, repeat, up, mouse, click, joy, tick)");
  EXPECT_EQ(ErrorOf("5"), "line 12: expected \"FRAME VERB ARGS\"");
  EXPECT_EQ(ErrorOf("down 90"), "line 12: frame \"down\" is not a whole number");
  EXPECT_EQ(ErrorOf("0 click"), "line 12: frame 0 is outside 1..1000000000");
  EXPECT_EQ(ErrorOf("-3 click"), "line 12: frame -3 is outside 1..1000000000");
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
