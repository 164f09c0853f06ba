#include "Screenshot.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "PngFile.h"
#include "TextFile.h"

namespace {

std::string Home() {
  const char* H = std::getenv("HOME");
  return H && *H ? H : "";
}

// What `xdg-user-dir PICTURES` says, or "" when it cannot say (it answers the
// home folder itself when no pictures folder is set).
std::string XdgPictures() {
  std::FILE* Pipe = ::popen("xdg-user-dir PICTURES 2>/dev/null", "r");
  if (!Pipe) return "";
  char Line[4096] = "";
  const bool Got = std::fgets(Line, sizeof Line, Pipe) != nullptr;
  ::pclose(Pipe);
  std::string Folder = Got ? Line : "";
  while (!Folder.empty() && (Folder.back() == '\n' || Folder.back() == '/')) Folder.pop_back();
  if (Folder.empty() || Folder[0] != '/' || Folder == Home()) return "";
  return Folder;
}

// A link counts as taken even when it points nowhere: it is never followed.
bool Taken(const std::string& Path) {
  struct stat Status;
  return ::lstat(Path.c_str(), &Status) == 0;
}

}  // namespace

std::string PicturesFolder() {
  const std::string Xdg = XdgPictures();
  if (!Xdg.empty()) return Xdg;
  return Home().empty() ? "" : Home() + "/Pictures";
}

std::string ScreenshotPath(const std::string& Folder, std::time_t Time) {
  std::tm Local{};
  localtime_r(&Time, &Local);
  char Stamp[32];
  std::strftime(Stamp, sizeof Stamp, "%Y%m%d-%H%M%S", &Local);
  const std::string Base = Folder + "/Skyrend/skyrend-" + Stamp;
  std::string Path = Base + ".png";
  for (int n = 2; Taken(Path); ++n) Path = Base + "-" + std::to_string(n) + ".png";
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
