// Every input kept for the settings and scores fuzz target
// (tools/fuzz/regressions/player/), replayed with the target's own checks.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "KeptInputs.h"
#include "PlayerChecks.h"

TEST(FuzzRegressions, PlayerInputs) {
  const std::vector<std::string> Inputs = KeptFuzzInputs(SKYREND_SOURCE_DIR, "player");
  EXPECT_FALSE(Inputs.empty());  // with nothing kept this would check nothing
  for (const std::string& Path : Inputs) {
    std::ifstream In(Path, std::ios::binary);
    const std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    EXPECT_EQ(PlayerFault(Text), "") << Path;
  }
}
