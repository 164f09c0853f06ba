// A file opened for reading that is known to be a regular file. Opening says
// why a file cannot be read: "File not found" only when nothing of that name
// exists; otherwise the system's reason ("Permission denied", "Is a
// directory", "Not a regular file" for a FIFO, socket or device, ...).
// Nothing is read, and no FIFO is waited on, before the kind is checked.
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// Nothing exists at the path (the one case the model library reports as a
// missing file).
class EFileNotFound : public std::runtime_error {
 public:
  EFileNotFound() : std::runtime_error("File not found") {}
};

// A read that failed part way: "Read error", as the model library says it,
// with the system's error number for a caller that names the reason.
class EReadError : public std::runtime_error {
 public:
  explicit EReadError(int SystemError) : std::runtime_error("Read error"), Error(SystemError) {}
  int Error;
};

class TReadableFile {
 public:
  // Throws EFileNotFound, or std::runtime_error with the reason.
  explicit TReadableFile(const std::string& Path);
  ~TReadableFile();
  TReadableFile(const TReadableFile&) = delete;
  TReadableFile& operator=(const TReadableFile&) = delete;

  uint64_t Size() const { return size_; }
  // The file's identity: two names of one file give the same pair.
  uint64_t Device() const { return device_; }
  uint64_t Inode() const { return inode_; }

  // Reads Count bytes from Offset; throws "Read error" when they are not all there.
  void ReadAt(uint64_t Offset, void* Into, size_t Count) const;
  // The whole file, read to its end whatever size it claimed; throws
  // TooLargeText when it holds more than MaxBytes, EReadError when a read fails.
  std::string ReadAll(uint64_t MaxBytes, const char* TooLargeText) const;

 private:
  int fd_ = -1;
  uint64_t size_ = 0, device_ = 0, inode_ = 0;
};
