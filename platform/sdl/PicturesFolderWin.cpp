#include "WidePath.h"  // windows.h first, as it wants

#include <shlobj.h>

#include "Screenshot.h"

std::string PicturesFolder() {
  PWSTR Wide = nullptr;
  std::string Folder;
  if (SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_CREATE, nullptr, &Wide) == S_OK) {
    const int N = WideCharToMultiByte(CP_UTF8, 0, Wide, -1, nullptr, 0, nullptr, nullptr);
    if (N > 1) {
      Folder.resize(size_t(N - 1));
      WideCharToMultiByte(CP_UTF8, 0, Wide, -1, &Folder[0], N, nullptr, nullptr);
    }
  }
  CoTaskMemFree(Wide);
  return Folder;
}

bool PathTaken(const std::string& Path) { return GetFileAttributesW(WidePath(Path).c_str()) != INVALID_FILE_ATTRIBUTES; }
