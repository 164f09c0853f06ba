#include "TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

std::string Reason() { return std::strerror(errno); }

bool WriteAll(int Fd, const std::string& Text) {
  size_t Done = 0;
  while (Done < Text.size()) {
    const ssize_t N = ::write(Fd, Text.data() + Done, Text.size() - Done);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) return false;
    Done += size_t(N);
  }
  return true;
}

}  // namespace

std::string FolderOf(const std::string& Path) {
  const size_t Slash = Path.find_last_of('/');
  if (Slash == std::string::npos) return ".";
  return Slash == 0 ? "/" : Path.substr(0, Slash);
}

bool ReadTextFile(const std::string& Path, std::string& Text, std::string& Error) {
  Text.clear();
  const int Fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    Error = Reason();
    return false;
  }
  char Buffer[4096];
  for (;;) {
    const ssize_t N = ::read(Fd, Buffer, sizeof Buffer);
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) {
      Error = Reason();
      ::close(Fd);
      return false;
    }
    if (N == 0) break;
    Text.append(Buffer, size_t(N));
    if (Text.size() > MaxTextFileBytes) {
      ::close(Fd);
      Text.clear();
      errno = EFBIG;
      Error = "larger than 1 MB";
      return false;
    }
  }
  ::close(Fd);
  return true;
}

bool MakeFolders(const std::string& Folder, std::string& Error) {
  if (Folder.empty() || Folder == "." || Folder == "/") return true;
  struct stat Status;
  if (::stat(Folder.c_str(), &Status) == 0) {
    if (S_ISDIR(Status.st_mode)) return true;
    Error = std::strerror(ENOTDIR);
    return false;
  }
  if (!MakeFolders(FolderOf(Folder), Error)) return false;
  if (::mkdir(Folder.c_str(), 0755) != 0 && errno != EEXIST) {
    Error = Reason();
    return false;
  }
  return true;
}

bool WriteTextFileAtomically(const std::string& Path, const std::string& Text, std::string& Error) {
  if (!MakeFolders(FolderOf(Path), Error)) return false;
  std::string Temp = Path + ".XXXXXX";
  std::vector<char> Name(Temp.begin(), Temp.end());
  Name.push_back('\0');
  const int Fd = ::mkstemp(Name.data());
  if (Fd < 0) {
    Error = Reason();
    return false;
  }
  Temp = Name.data();
  ::fchmod(Fd, 0644);  // mkstemp makes it 0600; the old file was readable as any other
  const bool Written = WriteAll(Fd, Text) && ::fsync(Fd) == 0;
  if (!Written) Error = Reason();
  if (::close(Fd) != 0 && Written) {
    Error = Reason();
    ::unlink(Temp.c_str());
    return false;
  }
  if (!Written || ::rename(Temp.c_str(), Path.c_str()) != 0) {
    if (Written) Error = Reason();
    ::unlink(Temp.c_str());
    return false;
  }
  return true;
}

TFileLock::TFileLock(const std::string& LockPath) {
  std::string Ignored;
  MakeFolders(FolderOf(LockPath), Ignored);
  fd_ = ::open(LockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    ::close(fd_);
    fd_ = -1;
    return;
  }
}

TFileLock::~TFileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
}
