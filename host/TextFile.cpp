#include "TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "FileLockSystem.h"

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
  // Non-blocking until the kind is known: a FIFO is refused, never waited on.
  const int Fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (Fd < 0) {
    Error = Reason();
    return false;
  }
  struct stat Status;
  int Refused = 0;  // why the descriptor is no regular file to read
  if (::fstat(Fd, &Status) != 0) Refused = errno;
  else if (S_ISDIR(Status.st_mode)) Refused = EISDIR;
  else if (!S_ISREG(Status.st_mode)) Refused = EINVAL;
  else if (::fcntl(Fd, F_SETFL, ::fcntl(Fd, F_GETFL) & ~O_NONBLOCK) != 0) Refused = errno;
  if (Refused != 0) {
    ::close(Fd);
    errno = Refused;
    Error = Refused == EINVAL ? "Not a regular file" : Reason();
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

std::string FollowLinks(const std::string& Path) {
  std::string At = Path;
  for (int Hops = 0; Hops < 40; ++Hops) {
    struct stat Status;
    if (::lstat(At.c_str(), &Status) != 0 || !S_ISLNK(Status.st_mode)) return At;
    std::vector<char> Target(size_t(Status.st_size > 0 ? Status.st_size : 255) + 1);
    const ssize_t N = ::readlink(At.c_str(), Target.data(), Target.size());
    if (N <= 0 || size_t(N) >= Target.size()) return At;
    const std::string To(Target.data(), size_t(N));
    At = To[0] == '/' ? To : FolderOf(At) + "/" + To;
  }
  return At;
}

namespace {

// The permission bits a file of ours gets: those of the file it replaces or
// copies (a 0600 file stays private), else readable by all as before.
mode_t ModeFor(const std::string& Like) {
  struct stat Status;
  if (!Like.empty() && ::stat(Like.c_str(), &Status) == 0 && S_ISREG(Status.st_mode)) return Status.st_mode & 07777;
  return 0644;
}

// Text in a new temporary file beside Path with the permission bits Mode,
// flushed to disk: its name, or "" with the reason (and no file left behind).
std::string WriteTemporary(const std::string& Path, const std::string& Text, mode_t Mode, std::string& Error) {
  if (!MakeFolders(FolderOf(Path), Error)) return "";
  const std::string Pattern = Path + ".XXXXXX";
  std::vector<char> Name(Pattern.begin(), Pattern.end());
  Name.push_back('\0');
  const int Fd = ::mkstemp(Name.data());
  if (Fd < 0) {
    Error = Reason();
    return "";
  }
  bool Written = ::fchmod(Fd, Mode) == 0 && WriteAll(Fd, Text) && ::fsync(Fd) == 0;
  if (!Written) Error = Reason();
  if (::close(Fd) != 0 && Written) {
    Error = Reason();
    Written = false;
  }
  if (Written) return Name.data();
  ::unlink(Name.data());
  return "";
}

}  // namespace

bool WriteTextFileAtomically(const std::string& Path, const std::string& Text, std::string& Error) {
  // A file the game could not read back would be refused at every start.
  if (Text.size() > MaxTextFileBytes) {
    Error = "it would be larger than 1 MB, more than the game reads";
    return false;
  }
  const std::string Target = FollowLinks(Path);
  struct stat Status;
  const bool Exists = ::stat(Target.c_str(), &Status) == 0;
  if (Exists && !S_ISREG(Status.st_mode)) {
    Error = "not a regular file";
    return false;
  }
  // Through a link the game replaces only a file of the player's own: a link
  // planted towards another user's file (or a system file) is not written.
  if (Exists && Target != Path && Status.st_uid != ::geteuid()) {
    Error = "it links to a file of another user";
    return false;
  }
  const std::string Temp = WriteTemporary(Target, Text, ModeFor(Target), Error);
  if (Temp.empty()) return false;
  if (::rename(Temp.c_str(), Target.c_str()) != 0) {
    Error = Reason();
    ::unlink(Temp.c_str());
    return false;
  }
  return true;
}

bool WriteNewTextFile(const std::string& Path, const std::string& Text, std::string& Error, const std::string& ModeOf) {
  const mode_t Mode = ModeFor(ModeOf);
  const std::string Temp = WriteTemporary(Path, Text, Mode, Error);
  if (Temp.empty()) return false;
  // A hard link is made whole or not at all and never replaces a file.
  const bool Linked = ::link(Temp.c_str(), Path.c_str()) == 0;
  const int LinkError = errno;
  ::unlink(Temp.c_str());
  if (Linked) return true;
  errno = LinkError;
  Error = Reason();
  if (LinkError == EEXIST || (LinkError != EPERM && LinkError != ENOTSUP)) return false;
  // A file system without hard links: an exclusive create instead.
  const int Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, Mode);
  if (Fd < 0) {
    Error = Reason();
    return false;
  }
  const bool Written = WriteAll(Fd, Text) && ::fsync(Fd) == 0;
  if (!Written) Error = Reason();
  if (::close(Fd) != 0 || !Written) {
    ::unlink(Path.c_str());
    errno = EIO;
    return false;
  }
  return true;
}

int OpenLockFile(const std::string& LockPath) {
  std::string Ignored;
  MakeFolders(FolderOf(LockPath), Ignored);
  // A planted link is never followed: it could create or lock a file elsewhere.
  return ::open(LockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
}

TLockTry TryLockFile(int Fd) {
  int Taken;
  while ((Taken = ::flock(Fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (Taken == 0) return TLockTry::Taken;
  return errno == EWOULDBLOCK ? TLockTry::Busy : TLockTry::Failed;
}

bool WaitForLockFile(int Fd) {
  int Result;
  while ((Result = ::flock(Fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  return Result == 0;
}

void CloseLockFile(int Fd) { ::close(Fd); }
