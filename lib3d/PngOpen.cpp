#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "PngFile.h"

std::FILE* OpenPngFile(const std::string& Path, TPngOpen Open) {
  if (Open == TPngOpen::Replace) return std::fopen(Path.c_str(), "wb");
  const int Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  std::FILE* File = nullptr;
  if (Fd >= 0 && !(File = ::fdopen(Fd, "wb"))) ::close(Fd);
  return File;
}
