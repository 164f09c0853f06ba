// Small text files the game keeps for the player: read whole, written whole
// through a temporary file renamed over the old one, so a reader (or a crash
// half-way) sees either the old file or the new one, never a mix.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

// Larger files are not the game's: refused before they are read whole.
constexpr size_t MaxTextFileBytes = 1 << 20;

// The file's bytes; false when it does not exist, is no regular file (a FIFO
// or device is refused without waiting on it: "Not a regular file"), cannot
// be read or is larger than MaxTextFileBytes (Error says why; errno is EFBIG
// for the last).
bool ReadTextFile(const std::string& Path, std::string& Text, std::string& Error);
// Writes Text to a temporary file in the folder of the file Path names, flushed
// to disk, and renames it over that file, which keeps its permission bits. A
// Path that is a symbolic link keeps its link: the file it points to is
// replaced (dotfile managers link the player's files), when that is a regular
// file of this user. The folders are made as needed. A Text larger than
// MaxTextFileBytes is refused (it could not be read again). False with the
// reason, and no temporary file is left behind.
bool WriteTextFileAtomically(const std::string& Path, const std::string& Text, std::string& Error);
// Writes Text as a new file Path, whole or not at all, and never over an
// existing file: false with errno EEXIST when Path is taken. The new file gets
// the permission bits of the file ModeOf names (a copy of a private file stays
// private), 0644 without one.
bool WriteNewTextFile(const std::string& Path, const std::string& Text, std::string& Error,
                      const std::string& ModeOf = "");
// The file a path names after following its symbolic links (the last part
// only, up to 40 of them); Path itself when it is not a link.
std::string FollowLinks(const std::string& Path);
// Makes the folder and its parents (mkdir -p); false with the reason.
bool MakeFolders(const std::string& Folder, std::string& Error);
// The folder part of a path ("." when it has none).
std::string FolderOf(const std::string& Path);

// An exclusive lock (flock) on a lock file beside the data, held while the
// object lives: two programs that read, merge and write the same file take
// turns. A free lock is taken at once. While another program holds it, a
// thread waits in the kernel's queue (woken at each release, as a poll would
// not be, so a program that keeps taking the lock cannot starve this one) and
// the owner asks without blocking whether the wait is over, so a game goes on
// drawing frames meanwhile. Without a lock file (an unwritable folder) the
// work goes on unlocked.
class TFileLock {
 public:
  enum class TState { Held, Waiting, Unlocked };
  explicit TFileLock(const std::string& LockPath);
  // Lets the lock go, or gives up the wait (the thread lets it go once it has it).
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;
  // Never blocks: Held, Unlocked (no lock to be had) or still Waiting.
  TState State();
  // Blocks at most Ms for the wait to end; the state then.
  TState Wait(unsigned Ms);

 private:
  struct TWait;
  TState Settle();  // under the wait's mutex: takes the thread's outcome
  std::shared_ptr<TWait> wait_;
  int fd_ = -1;
  TState state_ = TState::Unlocked;
};
