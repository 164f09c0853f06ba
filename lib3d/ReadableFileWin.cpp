#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "ReadableFile.h"
#include "WidePath.h"

namespace {

[[noreturn]] void FailWith(int Error) {
  if (Error == ENOENT || Error == ENOTDIR) throw EFileNotFound();
  throw std::runtime_error(std::generic_category().message(Error));
}

// Up to Count bytes at Offset without moving a shared file position: the
// number read, 0 at the end, -1 on an error.
long long ReadAtOffset(int Fd, void* Into, size_t Count, uint64_t Offset) {
  OVERLAPPED At{};
  At.Offset = DWORD(Offset);
  At.OffsetHigh = DWORD(Offset >> 32);
  DWORD Got = 0;
  const DWORD Asked = DWORD(std::min<size_t>(Count, size_t(1) << 30));
  if (!ReadFile(reinterpret_cast<HANDLE>(_get_osfhandle(Fd)), Into, Asked, &Got, &At))
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  return Got;
}

}  // namespace

TReadableFile::TReadableFile(const std::string& Path) {
  if (Path.find('\0') != std::string::npos) throw EFileNotFound();
  const std::wstring Name = WidePath(Path);
  if (Name.empty()) throw EFileNotFound();
  struct _stat64 St;
  if (_wstat64(Name.c_str(), &St) != 0) FailWith(errno);
  if (St.st_mode & _S_IFDIR) FailWith(EISDIR);
  if (!(St.st_mode & _S_IFREG)) throw std::runtime_error("Not a regular file");
  fd_ = _wopen(Name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd_ < 0) FailWith(errno);
  BY_HANDLE_FILE_INFORMATION Info;
  if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd_)), &Info)) {
    _close(fd_);
    FailWith(ErrnoOfWin32(GetLastError()));
  }
  size_ = (uint64_t(Info.nFileSizeHigh) << 32) | Info.nFileSizeLow;
  device_ = Info.dwVolumeSerialNumber;
  inode_ = (uint64_t(Info.nFileIndexHigh) << 32) | Info.nFileIndexLow;
}

TReadableFile::~TReadableFile() { _close(fd_); }

void TReadableFile::ReadAt(uint64_t Offset, void* Into, size_t Count) const {
  char* out = static_cast<char*>(Into);
  while (Count > 0) {
    const long long n = ReadAtOffset(fd_, out, Count, Offset);
    if (n <= 0) throw std::runtime_error("Read error");
    out += n;
    Offset += static_cast<uint64_t>(n);
    Count -= static_cast<size_t>(n);
  }
}

std::string TReadableFile::ReadAll(uint64_t MaxBytes, const char* TooLargeText) const {
  if (size_ > MaxBytes) throw std::runtime_error(TooLargeText);
  std::string text;
  text.reserve(static_cast<size_t>(size_));
  char block[65536];
  for (;;) {
    const long long n = ReadAtOffset(fd_, block, sizeof block, text.size());
    if (n < 0) throw EReadError(EIO);
    if (n == 0) return text;
    if (text.size() + static_cast<size_t>(n) > MaxBytes) throw std::runtime_error(TooLargeText);
    text.append(block, static_cast<size_t>(n));
  }
}
