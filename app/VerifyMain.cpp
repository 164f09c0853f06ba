// skyrend-verify: replays each demo with no picture and says the game it holds:
// "DEMO: score S, level L, F frames", or "DEMO: refused: why". Exit 0 when
// every demo was checked, 2 when one was refused or the command was wrong,
// 1 when the game's models cannot be read. No GL is linked or loaded.
#include <cstdio>
#include <string>

#include "DataFolder.h"
#include "DemoCheck.h"
#include "QuoteWord.h"

namespace {

const char* const Usage =
    "usage: skyrend-verify DEMO...\n"
    "Replays each demo with no picture and prints the score, the level and the frames it reaches,\n"
    "or why it is refused (exit 2).";

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "%s\n", Usage);
    return 2;
  }
  const std::string First = argv[1];
  if (First == "-h" || First == "--help") {
    std::printf("%s\n", Usage);
    return 0;
  }
  TModelRadii Radii;
  std::string Failure;
  if (!ReadModelRadii(DataFolderFor(ExecutableFolder(argv[0])), Radii, Failure)) {
    std::fprintf(stderr, "skyrend-verify: %s\n", Failure.c_str());
    return 1;
  }
  int Code = 0;
  for (int i = 1; i < argc; ++i) {
    const TDemoCheck C = CheckDemoFile(argv[i], Radii);
    const std::string Name = QuoteName(argv[i]);
    if (C.Refused) {
      std::printf("%s: refused: %s\n", Name.c_str(), C.Reason.c_str());
      Code = 2;
    } else {
      std::printf("%s: score %d, level %d, %ld frames\n", Name.c_str(), C.Score, C.Level, C.Frames);
    }
  }
  return Code;
}
