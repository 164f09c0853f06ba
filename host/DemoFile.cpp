#include "DemoFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

[[noreturn]] void Refuse(const std::string& Why) { throw std::runtime_error("cannot create the demo file: " + Why); }

}  // namespace

TDemoFile::TDemoFile(const std::string& Path) : std::ostream(&buffer_) {
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
  buffer_.Fd = Fd;
}

TDemoFile::~TDemoFile() { Close(); }

bool TDemoFile::Close() {
  if (buffer_.Fd < 0) return !buffer_.Failed;
  if (buffer_.pubsync() != 0) setstate(std::ios::badbit);
  if (::close(buffer_.Fd) != 0) buffer_.Failed = true;
  buffer_.Fd = -1;
  return !buffer_.Failed && !fail();
}

bool TDemoFile::TBuffer::Drain() {
  const char* At = pbase();
  while (At < pptr()) {
    const ssize_t N = ::write(Fd, At, size_t(pptr() - At));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) {
      Failed = true;
      break;
    }
    At += N;
  }
  setp(data_, data_ + sizeof data_);
  return !Failed;
}

TDemoFile::TBuffer::int_type TDemoFile::TBuffer::overflow(int_type C) {
  if (Fd < 0 || !Drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(C, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(C);
    pbump(1);
  }
  return traits_type::not_eof(C);
}

int TDemoFile::TBuffer::sync() { return Fd >= 0 && Drain() ? 0 : -1; }
