// libFuzzer target: the model text reader on whole file bytes, with a real
// GL context (Mesa, headless), so that textures are decoded and uploaded and
// loaded models are drawn. Textures come from the folder MakeFuzzProgramFolder
// makes; ModelFault (FuzzChecks.h) is checked beyond the sanitizers.
#include <stdlib.h>

#include <GL/gl.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzChecks.h"
#include "HeadlessContext.h"

namespace {

class TQuiet : public IMessageSink {
 public:
  void ShowMessage(const std::string&) override {}
};

// Made once, current for the whole run, never torn down (as in the tests).
THeadlessContext* Context = nullptr;
std::string* Game = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // llvmpipe without worker threads: one core per fuzzing process.
  setenv("LP_NUM_THREADS", "0", 1);
  Context = new THeadlessContext(16, 16);
  char pattern[] = "/tmp/skyrend-fuzz-model-XXXXXX";
  Game = new std::string(MakeFuzzProgramFolder(mkdtemp(pattern)));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMS3DObj model;
  TQuiet quiet;
  bool loaded = true;
  try {
    model.LoadFromText("fuzz.txt", std::string_view(reinterpret_cast<const char*>(Data), Size), *Game, quiet);
  } catch (const ELoadError&) {
    loaded = false;
  }
  if (ModelFault(model, loaded)) __builtin_trap();
  if (loaded) {
    model.Draw(false);
    model.Draw(true);
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  // The textures live with the context; free them so that runs do not grow.
  std::set<GLuint> textures;
  for (const TMaterial& m : model.Materials)
    if (m.TextureId != 0) textures.insert(m.TextureId);
  const std::vector<GLuint> names(textures.begin(), textures.end());
  glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
  return 0;
}
