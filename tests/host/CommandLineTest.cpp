// The game's command line: help, version, modes, demos, and what is refused
// or only warned about.
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsOverrides.h"

namespace {

using TAction = TCommandLine::TAction;

TEST(CommandLine, HelpAndVersionWinOverEverythingElse) {
  EXPECT_EQ(ParseCommandLine({"--window", "-h"}).Action, TAction::Help);
  EXPECT_EQ(ParseCommandLine({"--record", "demo.txt", "--help"}).Action, TAction::Help);
  EXPECT_EQ(ParseCommandLine({"--bogus", "--version"}).Action, TAction::Version);
  EXPECT_NE(std::string(UsageText).find("--window"), std::string::npos);
  EXPECT_EQ(std::string(VersionText).rfind("skyrend ", 0), 0u);
}

TEST(CommandLine, FullScreenByDefaultAndTheLastModeWins) {
  EXPECT_TRUE(ParseCommandLine({}).FullScreen);
  EXPECT_TRUE(ParseCommandLine({"-w"}).FullScreen);
  EXPECT_TRUE(ParseCommandLine({"-w"}).Warnings.empty());
  EXPECT_FALSE(ParseCommandLine({"--window"}).FullScreen);
  EXPECT_TRUE(ParseCommandLine({"--window", "--fullscreen"}).FullScreen);
}

TEST(CommandLine, DemosTakeOneFileInAnyPosition) {
  const TCommandLine C = ParseCommandLine({"--window", "--play", "demo.txt"});
  EXPECT_EQ(C.Action, TAction::Play);
  EXPECT_EQ(C.Demo, TCommandLine::TDemo::Play);
  EXPECT_EQ(C.DemoPath, "demo.txt");
  EXPECT_FALSE(C.FullScreen);
  EXPECT_EQ(ParseCommandLine({"--record"}).Action, TAction::Error);
  EXPECT_EQ(ParseCommandLine({"--record", "a", "--play", "b"}).Action, TAction::Error);
}

TEST(CommandLine, UnknownOptionsAreWarnedAboutShortAndPrintableAndPlayGoesOn) {
  const TCommandLine C = ParseCommandLine({"--fast", std::string(60, 'x') + "\x1b"});
  EXPECT_EQ(C.Action, TAction::Play);
  EXPECT_TRUE(C.FullScreen);
  ASSERT_EQ(C.Warnings.size(), 2u);
  EXPECT_NE(C.Warnings[0].find("\"--fast\""), std::string::npos);
  EXPECT_NE(C.Warnings[1].find("\"" + std::string(40, 'x') + "...\""), std::string::npos);
  EXPECT_EQ(C.Warnings[1].find('\x1b'), std::string::npos);
  // Quoted as every other word in a message: UTF-8 kept, control bytes and quote marks escaped.
  EXPECT_NE(ParseCommandLine({"--caf\xc3\xa9\x01\"x"}).Warnings[0].find("\"--caf\xc3\xa9\\x01\\\"x\""), std::string::npos);
}

}  // namespace

TEST(CommandLine, MultisamplingIsAutoOffOrTwoFourEightSamples) {
  EXPECT_EQ(ParseCommandLine({}).Multisampling, MultisamplingAuto);
  EXPECT_EQ(ParseCommandLine({"--multisampling", "off"}).Multisampling, 0);
  EXPECT_EQ(ParseCommandLine({"--multisampling", "8", "--window"}).Multisampling, 8);
  EXPECT_FALSE(ParseCommandLine({"--multisampling", "8", "--window"}).FullScreen);
  for (const char* Bad : {"3", "16", "on", ""})
    EXPECT_EQ(ParseCommandLine({"--multisampling", Bad}).Action, TCommandLine::TAction::Error) << Bad;
  EXPECT_EQ(ParseCommandLine({"--multisampling"}).Error, "--multisampling needs auto, off, 2, 4 or 8");
}

TEST(CommandLine, SettingsOptionsOverrideOnlyWhatTheyNameAndRefuseBadValues) {
  const TCommandLine C = ParseCommandLine(
      {"--volume", "40", "--mouse-speed", "1.5", "--invert-mouse", "--reduce-flashing", "--no-vsync", "--window"});
  ASSERT_EQ(C.Action, TCommandLine::TAction::Play);
  EXPECT_TRUE(C.Warnings.empty());
  TSettings Saved;
  Saved.Muted = true;
  Saved.Multisampling = 2;
  const TSettings S = ApplyOverrides(Saved, C.Overrides);
  EXPECT_EQ(S.Volume, 40);
  EXPECT_EQ(S.MouseSpeed, 1.5);
  EXPECT_TRUE(S.InvertMouse && S.ReduceFlashing && S.Muted);
  EXPECT_FALSE(S.Vsync || S.FullScreen);
  EXPECT_EQ(S.Multisampling, 2);  // not named: the saved value
  EXPECT_EQ(ApplyOverrides(Saved, ParseCommandLine({}).Overrides), Saved);
  for (const std::vector<std::string>& Bad : std::vector<std::vector<std::string>>{
           {"--volume", "101"}, {"--volume", "4.5"}, {"--volume"}, {"--mouse-speed", "0.2"}, {"--mouse-speed", "x"}})
    EXPECT_EQ(ParseCommandLine(Bad).Action, TCommandLine::TAction::Error) << Bad[0];
}
