#include "ReadableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

[[noreturn]] void FailWith(int Error) {
  if (Error == ENOENT || Error == ENOTDIR) throw EFileNotFound();
  throw std::runtime_error(std::generic_category().message(Error));
}

void CheckKind(const struct stat& St) {
  if (S_ISDIR(St.st_mode)) FailWith(EISDIR);
  if (!S_ISREG(St.st_mode)) throw std::runtime_error("Not a regular file");
}

}  // namespace

TReadableFile::TReadableFile(const std::string& Path) {
  // A name with a NUL byte cannot name any file (the system would cut it).
  if (Path.find('\0') != std::string::npos) throw EFileNotFound();
  struct stat st;
  if (stat(Path.c_str(), &st) != 0) FailWith(errno);
  CheckKind(st);
  // Non-blocking, so that a FIFO swapped in after the check is not waited on.
  fd_ = open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) FailWith(errno);
  if (fstat(fd_, &st) != 0) {
    const int error = errno;
    close(fd_);
    FailWith(error);
  }
  try {
    CheckKind(st);
    // A regular file: reads may block as usual from here.
    if (fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK) != 0) FailWith(errno);
  } catch (...) {
    close(fd_);
    throw;
  }
  size_ = static_cast<uint64_t>(st.st_size);
  device_ = static_cast<uint64_t>(st.st_dev);
  inode_ = static_cast<uint64_t>(st.st_ino);
}

TReadableFile::~TReadableFile() { close(fd_); }

void TReadableFile::ReadAt(uint64_t Offset, void* Into, size_t Count) const {
  char* out = static_cast<char*>(Into);
  while (Count > 0) {
    const ssize_t n = pread(fd_, out, Count, static_cast<off_t>(Offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("Read error");
    out += n;
    Offset += static_cast<uint64_t>(n);
    Count -= static_cast<size_t>(n);
  }
}

std::string TReadableFile::ReadAll(uint64_t MaxBytes, const char* TooLargeText) const {
  if (size_ > MaxBytes) throw std::runtime_error(TooLargeText);
  // To the end, not to the size the file had when opened: some files (in
  // /proc) claim none, and a file may change while it is read.
  std::string text;
  text.reserve(static_cast<size_t>(size_));
  char block[65536];
  for (;;) {
    const ssize_t n = pread(fd_, block, sizeof block, static_cast<off_t>(text.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EReadError(errno);
    if (n == 0) return text;
    if (text.size() + static_cast<size_t>(n) > MaxBytes) throw std::runtime_error(TooLargeText);
    text.append(block, static_cast<size_t>(n));
  }
}
