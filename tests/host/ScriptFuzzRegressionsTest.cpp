// Every input kept for the script fuzz target (tools/fuzz/regressions/script/),
// replayed with the target's own checks.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "KeptInputs.h"
#include "ScriptChecks.h"

TEST(FuzzRegressions, ScriptInputs) {
  const std::vector<std::string> Inputs = KeptFuzzInputs(SKYREND_SOURCE_DIR, "script");
  EXPECT_FALSE(Inputs.empty());  // with nothing kept this would check nothing
  for (const std::string& Path : Inputs) {
    std::ifstream In(Path, std::ios::binary);
    const std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    const char* Fault = ScriptFault(Text);
    EXPECT_EQ(std::string(Fault ? Fault : ""), "") << Path;
  }
}
