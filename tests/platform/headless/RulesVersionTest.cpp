// The rules version names the rules: a short script's trace is stored with
// the version it was stored under, so a change to any rule that reaches the
// trace fails here until the version changes with it.
//
// After a deliberate rule change: set the new version in game/RulesVersion.h
// (one line), run this test, and copy the version and hash it prints into
// StoredVersion and StoredHash below.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "HeadlessContext.h"
#include "HeadlessHost.h"

namespace {

constexpr char StoredVersion[] = "2";
constexpr uint64_t StoredHash = 0x269019a2c6adefb3ull;

// Z starts a game; fire held, Up pressed and held with the keyboard's
// repeats, the mouse turning, until the aliens end it; then the title again.
const char* const Script =
    "60 down 90\n62 up 90\n64 down 32\n"
    "90 down 38\n92 repeat 38\n95 repeat 38\n97 repeat 38\n100 repeat 38\n110 repeat 38\n113 repeat 38\n120 up 38\n"
    "130 mouse 40 0\n140 mouse -25 10 left\n160 click\n"
    "400 up 32\n700 tick 11200\n";

uint64_t Fnv1a(uint64_t Hash, const std::string& Text) {
  for (unsigned char C : Text) Hash = (Hash ^ C) * 0x100000001b3ull;
  return (Hash ^ '\n') * 0x100000001b3ull;
}

}  // namespace

TEST(RulesVersion, AStoredTraceChangesOnlyWithTheVersion) {
  THeadlessContext Context(320, 240);
  THeadlessHost Game(320, 240, DefaultProgramFolder(), ParseScript(Script));
  uint64_t Hash = 0xcbf29ce484222325ull;
  while (Game.Frame() < 700 && Game.Step()) Hash = Fnv1a(Hash, Game.TraceLine());
  ASSERT_EQ(Game.Frame(), 700);
  char Printed[32];
  std::snprintf(Printed, sizeof Printed, "0x%016llxull", static_cast<unsigned long long>(Hash));
  const std::string Version = DemoRulesVersion();
  EXPECT_EQ(Version, StoredVersion) << "the rules version changed: store \"" << Version << "\" and " << Printed;
  EXPECT_EQ(Hash, StoredHash) << "the trace changed under rules version \"" << Version
                              << "\": change the version with the rules, then store it and " << Printed;
}
