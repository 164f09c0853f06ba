#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "DemoFile.h"
#include "WidePath.h"

namespace {

[[noreturn]] void Refuse(const std::string& Why) { throw std::runtime_error("cannot create the demo file: " + Why); }

}  // namespace

int OpenDemoTarget(const std::string& Path) {
  const std::wstring Name = WidePath(Path);
  if (Name.empty()) Refuse(std::strerror(ENOENT));
  // A folder cannot be opened for writing at all: say what it is.
  struct _stat64 St;
  if (_wstat64(Name.c_str(), &St) == 0 && (St.st_mode & _S_IFDIR)) Refuse(std::strerror(EISDIR));
  const int Fd = _wopen(Name.c_str(), _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (Fd < 0) Refuse(std::strerror(errno));
  std::string Why;
  if (_fstat64(Fd, &St) != 0) Why = std::strerror(errno);
  else if (!(St.st_mode & _S_IFREG)) Why = "Not a regular file";  // a device such as NUL
  else if (_chsize_s(Fd, 0) != 0) Why = std::strerror(errno);
  if (!Why.empty()) {
    _close(Fd);
    Refuse(Why);
  }
  return Fd;
}
