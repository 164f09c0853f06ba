// Small text files the game keeps for the player: read whole, written whole
// through a temporary file renamed over the old one, so a reader (or a crash
// half-way) sees either the old file or the new one, never a mix.
#pragma once
#include <cstddef>
#include <string>

// Larger files are not the game's: refused before they are read whole.
constexpr size_t MaxTextFileBytes = 1 << 20;

// The file's bytes; false when it does not exist, cannot be read or is larger
// than MaxTextFileBytes (Error says why; errno is EFBIG for the last).
bool ReadTextFile(const std::string& Path, std::string& Text, std::string& Error);
// Writes Text to a temporary file in Path's folder, flushed to disk, and
// renames it over Path. The folders are made as needed. False with the reason.
bool WriteTextFileAtomically(const std::string& Path, const std::string& Text, std::string& Error);
// Makes the folder and its parents (mkdir -p); false with the reason.
bool MakeFolders(const std::string& Folder, std::string& Error);
// The folder part of a path ("." when it has none).
std::string FolderOf(const std::string& Path);

// An exclusive lock (flock) on a lock file beside the data, held while the
// object lives: two programs that read, merge and write the same file take
// turns. Without a lock (an unwritable folder) the work goes on unlocked.
class TFileLock {
 public:
  explicit TFileLock(const std::string& LockPath);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};
