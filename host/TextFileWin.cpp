#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

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

struct TFileLock::TWait {
  std::mutex Guard;
  std::condition_variable Ended;
  bool Done = false, Given = false, Abandoned = false;
};

TFileLock::TFileLock(const std::string& LockPath) {
  std::string Ignored;
  MakeFolders(FolderOf(LockPath), Ignored);
  fd_ = _wopen(WidePath(LockPath).c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (fd_ < 0) return;
  if (LockWhole(fd_, false)) {
    state_ = TState::Held;
    return;
  }
  if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING) {
    _close(fd_);
    fd_ = -1;
    return;
  }
  auto Wait = std::make_shared<TWait>();
  const int Fd = fd_;
  try {
    std::thread([Wait, Fd] {
      const bool Taken = LockWhole(Fd, true);
      std::lock_guard<std::mutex> Hold(Wait->Guard);
      if (Wait->Abandoned) {
        _close(Fd);
        return;
      }
      Wait->Done = true;
      Wait->Given = Taken;
      Wait->Ended.notify_one();
    }).detach();
  } catch (const std::system_error&) {  // no thread to be had: work unlocked, as without a lock file
    _close(fd_);
    fd_ = -1;
    return;
  }
  wait_ = std::move(Wait);
  state_ = TState::Waiting;
}

TFileLock::TState TFileLock::Settle() {
  if (!wait_->Done) return state_;
  if (wait_->Given) {
    state_ = TState::Held;
  } else {
    _close(fd_);
    fd_ = -1;
    state_ = TState::Unlocked;
  }
  return state_;
}

TFileLock::TState TFileLock::State() {
  if (state_ != TState::Waiting) return state_;
  std::lock_guard<std::mutex> Hold(wait_->Guard);
  return Settle();
}

TFileLock::TState TFileLock::Wait(unsigned Ms) {
  if (state_ != TState::Waiting) return state_;
  std::unique_lock<std::mutex> Hold(wait_->Guard);
  wait_->Ended.wait_for(Hold, std::chrono::milliseconds(Ms), [this] { return wait_->Done; });
  return Settle();
}

TFileLock::~TFileLock() {
  if (state_ == TState::Waiting) {
    std::lock_guard<std::mutex> Hold(wait_->Guard);
    if (!wait_->Done) {
      wait_->Abandoned = true;  // the thread closes the file
      return;
    }
  }
  if (fd_ >= 0) _close(fd_);  // closing lets the lock go
}
