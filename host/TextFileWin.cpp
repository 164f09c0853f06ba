#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "FileLockSystem.h"
#include "TextFile.h"
#include "WidePath.h"

namespace {

std::string Reason() { return std::strerror(errno); }

HANDLE HandleOf(int Fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(Fd)); }

bool WriteAll(int Fd, const std::string& Text) {
  size_t Done = 0;
  while (Done < Text.size()) {
    const int N = _write(Fd, Text.data() + Done, unsigned(std::min<size_t>(Text.size() - Done, 1u << 30)));
    if (N <= 0) return false;
    Done += size_t(N);
  }
  return true;
}

bool IsRoot(const std::string& Folder) {
  return Folder == "/" || Folder == "\\" || (Folder.size() <= 3 && Folder.size() >= 2 && Folder[1] == ':');
}

}  // namespace

std::string FolderOf(const std::string& Path) {
  const size_t Slash = Path.find_last_of("/\\");
  if (Slash == std::string::npos) return ".";
  if (Slash == 0 || (Slash == 2 && Path[1] == ':')) return Path.substr(0, Slash + 1);
  return Path.substr(0, Slash);
}

bool ReadTextFile(const std::string& Path, std::string& Text, std::string& Error) {
  Text.clear();
  const std::wstring Name = WidePath(Path);
  struct _stat64 Status;
  if (Name.empty()) errno = ENOENT;
  if (Name.empty() || _wstat64(Name.c_str(), &Status) != 0) {
    Error = Reason();
    return false;
  }
  if (!(Status.st_mode & _S_IFREG)) {
    errno = (Status.st_mode & _S_IFDIR) ? EISDIR : EINVAL;
    Error = errno == EINVAL ? "Not a regular file" : Reason();
    return false;
  }
  const int Fd = _wopen(Name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (Fd < 0) {
    Error = Reason();
    return false;
  }
  char Buffer[4096];
  for (;;) {
    const int N = _read(Fd, Buffer, sizeof Buffer);
    if (N < 0) {
      Error = Reason();
      _close(Fd);
      return false;
    }
    if (N == 0) break;
    Text.append(Buffer, size_t(N));
    if (Text.size() > MaxTextFileBytes) {
      _close(Fd);
      Text.clear();
      errno = EFBIG;
      Error = "larger than 1 MB";
      return false;
    }
  }
  _close(Fd);
  return true;
}

bool MakeFolders(const std::string& Folder, std::string& Error) {
  if (Folder.empty() || Folder == "." || IsRoot(Folder)) return true;
  const std::wstring Name = WidePath(Folder);
  struct _stat64 Status;
  if (_wstat64(Name.c_str(), &Status) == 0) {
    if (Status.st_mode & _S_IFDIR) return true;
    Error = std::strerror(ENOTDIR);
    return false;
  }
  if (!MakeFolders(FolderOf(Folder), Error)) return false;
  if (_wmkdir(Name.c_str()) != 0 && errno != EEXIST) {
    Error = Reason();
    return false;
  }
  return true;
}

// Windows shortcuts are files of their own, not links a path goes through.
std::string FollowLinks(const std::string& Path) { return Path; }

namespace {

// Text in a new temporary file beside Path, flushed to disk: its name, or ""
// with the reason (and no file left behind).
std::string WriteTemporary(const std::string& Path, const std::string& Text, std::string& Error) {
  if (!MakeFolders(FolderOf(Path), Error)) return "";
  static unsigned Counter = 0;
  for (int Try = 0; Try < 100; ++Try) {
    const std::string Name = Path + "." + std::to_string(_getpid()) + "-" + std::to_string(++Counter) + ".tmp";
    const std::wstring Wide = WidePath(Name);
    const int Fd = _wopen(Wide.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (Fd < 0 && errno == EEXIST) continue;
    if (Fd < 0) {
      Error = Reason();
      return "";
    }
    bool Written = WriteAll(Fd, Text) && _commit(Fd) == 0;
    if (!Written) Error = Reason();
    if (_close(Fd) != 0 && Written) {
      Error = Reason();
      Written = false;
    }
    if (Written) return Name;
    _wunlink(Wide.c_str());
    return "";
  }
  Error = std::strerror(EEXIST);
  return "";
}

// Moves the temporary file to Path (over a file there when Replace), flushed
// through to disk; false with errno and the reason, and the temporary gone.
bool MoveInto(const std::string& Temp, const std::string& Path, bool Replace, std::string& Error) {
  const std::wstring From = WidePath(Temp);
  const DWORD Flags = MOVEFILE_WRITE_THROUGH | (Replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (MoveFileExW(From.c_str(), WidePath(Path).c_str(), Flags)) return true;
  errno = ErrnoOfWin32(GetLastError());
  const int Kept = errno;
  Error = Reason();
  _wunlink(From.c_str());
  errno = Kept;
  return false;
}

}  // namespace

bool WriteTextFileAtomically(const std::string& Path, const std::string& Text, std::string& Error) {
  if (Text.size() > MaxTextFileBytes) {
    Error = "it would be larger than 1 MB, more than the game reads";
    return false;
  }
  struct _stat64 Status;
  if (_wstat64(WidePath(Path).c_str(), &Status) == 0 && !(Status.st_mode & _S_IFREG)) {
    Error = "not a regular file";
    return false;
  }
  const std::string Temp = WriteTemporary(Path, Text, Error);
  return !Temp.empty() && MoveInto(Temp, Path, true, Error);
}

bool WriteNewTextFile(const std::string& Path, const std::string& Text, std::string& Error, const std::string&) {
  const std::string Temp = WriteTemporary(Path, Text, Error);
  return !Temp.empty() && MoveInto(Temp, Path, false, Error);
}

namespace {

// Locks the whole file: the range every program taking turns on it uses.
bool LockWhole(int Fd, bool Wait) {
  OVERLAPPED At{};
  const DWORD Flags = LOCKFILE_EXCLUSIVE_LOCK | (Wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
  return LockFileEx(HandleOf(Fd), Flags, 0, MAXDWORD, MAXDWORD, &At) != 0;
}

}  // namespace

int OpenLockFile(const std::string& LockPath) {
  std::string Ignored;
  MakeFolders(FolderOf(LockPath), Ignored);
  return _wopen(WidePath(LockPath).c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

TLockTry TryLockFile(int Fd) {
  if (LockWhole(Fd, false)) return TLockTry::Taken;
  const DWORD Why = GetLastError();
  return Why == ERROR_LOCK_VIOLATION || Why == ERROR_IO_PENDING ? TLockTry::Busy : TLockTry::Failed;
}

bool WaitForLockFile(int Fd) { return LockWhole(Fd, true); }

void CloseLockFile(int Fd) { _close(Fd); }
