#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "Screenshot.h"

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

}  // namespace

// A link counts as taken even when it points nowhere: it is never followed.
bool PathTaken(const std::string& Path) {
  struct stat Status;
  return ::lstat(Path.c_str(), &Status) == 0;
}

std::string PicturesFolder() {
  const std::string Xdg = XdgPictures();
  if (!Xdg.empty()) return Xdg;
  return Home().empty() ? "" : Home() + "/Pictures";
}
