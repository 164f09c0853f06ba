#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "PngFile.h"
#include "WidePath.h"

std::FILE* OpenPngFile(const std::string& Path, TPngOpen Open) {
  const std::wstring Name = WidePath(Path);
  if (Name.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  const int Flags = _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | (Open == TPngOpen::Replace ? _O_TRUNC : _O_EXCL);
  const int Fd = _wopen(Name.c_str(), Flags, _S_IREAD | _S_IWRITE);
  std::FILE* File = nullptr;
  if (Fd >= 0 && !(File = _fdopen(Fd, "wb"))) _close(Fd);
  return File;
}
