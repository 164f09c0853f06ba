// libFuzzer target: the model text reader on whole file bytes, read and with
// its textures found and decoded, all without a GL context. Textures come
// from the folder MakeFuzzProgramFolder makes; ModelFault (FuzzChecks.h) is
// checked beyond the sanitizers.
#include <stdlib.h>

#include <string>
#include <string_view>

#include "FuzzChecks.h"

namespace {

class TQuiet : public IMessageSink {
 public:
  void ShowMessage(const std::string&) override {}
};

std::string* Game = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/skyrend-fuzz-model-XXXXXX";
  Game = new std::string(MakeFuzzProgramFolder(mkdtemp(pattern)));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMS3DObj model;
  TQuiet quiet;
  bool loaded = true;
  try {
    model.ReadAndResolve("fuzz.txt", std::string_view(reinterpret_cast<const char*>(Data), Size), *Game, quiet);
  } catch (const ELoadError&) {
    loaded = false;
  }
  if (ModelFault(model, loaded)) __builtin_trap();
  return 0;
}
