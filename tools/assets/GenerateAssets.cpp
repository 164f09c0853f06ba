// skyrend-assets: run by the build. Writes the sixteen model files, their
// bitmaps and the font atlas with its metrics into the program's folder, and the sound clips as a C++ source;
// optionally the names of the data files written, one a line (what an
// installation copies).
//   skyrend-assets <program folder> <clips source path> [data list path]
#include <cstdio>
#include <exception>
#include <string>

#include "AssetWriter.h"
#include "FontAtlas.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: skyrend-assets <program folder> <clips source path> [data list path]\n");
    return 2;
  }
  try {
    auto written = WriteModelsAndBitmaps(argv[1]);
    for (const std::string& Name : WriteFont(argv[1], SKYREND_FONT_FILE)) written.push_back(Name);
    WriteFile(argv[2], SoundClipsSource());
    if (argc == 4) {
      std::string List;
      for (const std::string& Name : written) List += Name + "\n";
      WriteFileIfChanged(argv[3], List);
    }
    std::printf("skyrend-assets: %zu model and bitmap files in %s, clips in %s\n", written.size(), argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
