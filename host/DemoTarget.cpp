#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "DemoFile.h"

namespace {

[[noreturn]] void Refuse(const std::string& Why) { throw std::runtime_error("cannot create the demo file: " + Why); }

}  // namespace

int OpenDemoTarget(const std::string& Path) {
  // Non-blocking, so a FIFO is not waited on for a reader; not truncated
  // before its kind is known, so nothing but a regular file is touched.
  const int Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
  if (Fd < 0) Refuse(errno == ENXIO ? "Not a regular file" : std::strerror(errno));  // ENXIO: a FIFO nobody reads
  struct stat St;
  std::string Why;
  if (::fstat(Fd, &St) != 0) Why = std::strerror(errno);
  else if (S_ISDIR(St.st_mode)) Why = std::strerror(EISDIR);
  else if (!S_ISREG(St.st_mode)) Why = "Not a regular file";
  else if (::ftruncate(Fd, 0) != 0) Why = std::strerror(errno);
  else if (::fcntl(Fd, F_SETFL, ::fcntl(Fd, F_GETFL) & ~O_NONBLOCK) != 0) Why = std::strerror(errno);
  if (!Why.empty()) {
    ::close(Fd);
    Refuse(Why);
  }
  return Fd;
}
