#include "Screenshot.h"

#include <GL/gl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "PngFile.h"
#include "TextFile.h"

std::string ScreenshotPath(const std::string& Folder, std::time_t Time) {
  std::tm Local{};
  localtime_r(&Time, &Local);
  char Stamp[32];
  std::strftime(Stamp, sizeof Stamp, "%Y%m%d-%H%M%S", &Local);
  const std::string Base = Folder + "/Skyrend/skyrend-" + Stamp;
  std::string Path = Base + ".png";
  for (int n = 2; PathTaken(Path); ++n) Path = Base + "-" + std::to_string(n) + ".png";
  return Path;
}

bool SaveScreenshot(const std::string& Path, int Width, int Height, std::string& Error) {
  if (Width <= 0 || Height <= 0) {
    Error = "no picture";
    return false;
  }
  if (!MakeFolders(FolderOf(Path), Error)) return false;
  std::vector<uint8_t> Rgba(size_t(Width) * size_t(Height) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, Rgba.data());
  return WritePngFile(Path, Width, Height, Rgba, TRowOrder::BottomFirst, false, Error, TPngOpen::NewFileOnly);
}
