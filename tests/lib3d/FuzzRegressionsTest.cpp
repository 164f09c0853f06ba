// Every input a fuzz target ever failed on (tools/fuzz/regressions/), replayed
// with the target's own checks; the sanitizer build of this suite adds theirs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FuzzChecks.h"
#include "KeptInputs.h"
#include "Lib3DTestSupport.h"

namespace {

std::vector<std::string> KeptInputs(const char* Target) {
  const std::vector<std::string> files = KeptFuzzInputs(SKYREND_SOURCE_DIR, Target);
  // A target with nothing kept would pass unchecked: each keeps at least one input.
  EXPECT_FALSE(files.empty()) << Target;
  return files;
}

std::string Fault(const char* Text) { return Text ? Text : ""; }

}  // namespace

TEST(FuzzRegressions, ModelInputs) {
  SharedContext();
  TTempDir root;
  const std::string game = MakeFuzzProgramFolder(root.Path);
  for (const std::string& path : KeptInputs("model")) {
    SCOPED_TRACE(path);
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    TMS3DObj model;
    TMessageLog log;
    bool loaded = true;
    try {
      model.LoadFromText("fuzz.txt", std::string(bytes.begin(), bytes.end()), game, log);
    } catch (const ELoadError&) {
      loaded = false;
    }
    EXPECT_EQ(Fault(ModelFault(model, loaded)), "");
    if (loaded) {
      model.Draw(false);
      model.Draw(true);
    }
  }
}

TEST(FuzzRegressions, BitmapInputs) {
  for (const std::string& path : KeptInputs("bitmap")) {
    SCOPED_TRACE(path);
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    for (const bool masked : {false, true}) EXPECT_EQ(Fault(BitmapFault(bytes.data(), bytes.size(), masked)), "");
  }
}
