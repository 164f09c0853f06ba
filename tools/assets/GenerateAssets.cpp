// skyrend-assets: run by the build. Writes the sixteen model files and their
// bitmaps into the program's folder, and the sound clips as a C++ source.
//   skyrend-assets <program folder> <clips source path>
#include <cstdio>
#include <exception>

#include "AssetWriter.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skyrend-assets <program folder> <clips source path>\n");
    return 2;
  }
  try {
    const auto written = WriteModelsAndBitmaps(argv[1]);
    WriteFile(argv[2], SoundClipsSource());
    std::printf("skyrend-assets: %zu model and bitmap files in %s, clips in %s\n", written.size(), argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
