#include "DemoFile.h"

#include <unistd.h>

#include <cerrno>

TDemoFile::TDemoFile(const std::string& Path) : std::ostream(&buffer_) { buffer_.Fd = OpenDemoTarget(Path); }

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
