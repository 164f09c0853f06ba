#include "Screenshot.h"

#include <GL/gl.h>
#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

bool Exists(const std::string& Path) {
  struct stat Status;
  return ::stat(Path.c_str(), &Status) == 0;
}

bool WritePng(const std::string& Path, int Width, int Height, const std::vector<uint8_t>& Rgb) {
  std::FILE* File = std::fopen(Path.c_str(), "wb");
  if (!File) return false;
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop Info = Png ? png_create_info_struct(Png) : nullptr;
  if (!Png || !Info || setjmp(png_jmpbuf(Png))) {
    png_destroy_write_struct(&Png, &Info);
    std::fclose(File);
    std::remove(Path.c_str());
    return false;
  }
  png_init_io(Png, File);
  png_set_IHDR(Png, Info, Width, Height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(Png, Info);
  // GL's rows run bottom up; a picture's top down.
  for (int y = Height - 1; y >= 0; --y)
    png_write_row(Png, const_cast<png_bytep>(Rgb.data() + size_t(y) * size_t(Width) * 3));
  png_write_end(Png, nullptr);
  png_destroy_write_struct(&Png, &Info);
  if (std::fclose(File) != 0) {
    std::remove(Path.c_str());
    return false;
  }
  return true;
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
  for (int n = 2; Exists(Path); ++n) Path = Base + "-" + std::to_string(n) + ".png";
  return Path;
}

bool SaveScreenshot(const std::string& Path, int Width, int Height, std::string& Error) {
  if (Width <= 0 || Height <= 0) {
    Error = "no picture";
    return false;
  }
  if (!MakeFolders(FolderOf(Path), Error)) return false;
  std::vector<uint8_t> Rgb(size_t(Width) * size_t(Height) * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, Rgb.data());
  errno = 0;
  if (!WritePng(Path, Width, Height, Rgb)) {
    Error = errno ? std::strerror(errno) : "the PNG could not be written";
    return false;
  }
  return true;
}
