// Every input kept for the host's fuzz targets (tools/fuzz/regressions/script/
// and player/), replayed with the targets' own checks.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "KeptInputs.h"
#include "PlayerChecks.h"
#include "ScriptChecks.h"

namespace {

std::string FaultOf(const std::string& Kind, const std::string& Text) {
  if (Kind == "player") return PlayerFault(Text);
  const char* Fault = ScriptFault(Text);
  return Fault ? Fault : "";
}

}  // namespace

TEST(FuzzRegressions, ScriptAndPlayerInputs) {
  for (const std::string Kind : {"script", "player"}) {
    const std::vector<std::string> Inputs = KeptFuzzInputs(SKYREND_SOURCE_DIR, Kind.c_str());
    EXPECT_FALSE(Inputs.empty()) << Kind;  // with nothing kept this would check nothing
    for (const std::string& Path : Inputs) {
      std::ifstream In(Path, std::ios::binary);
      const std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
      EXPECT_EQ(FaultOf(Kind, Text), "") << Path;
    }
  }
}
