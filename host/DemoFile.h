// The file a recording writes to: made (or emptied) only once it is known to
// be a regular file, so a FIFO or a device given to --record is refused with
// the reason instead of blocking the start or filling a device.
#pragma once
#include <ostream>
#include <streambuf>
#include <string>

// The recording's file descriptor, opened for writing and emptied; throws
// std::runtime_error with the reason when Path cannot be made or is not a
// regular file.
int OpenDemoTarget(const std::string& Path);

class TDemoFile : public std::ostream {
 public:
  // Throws std::runtime_error with the reason when Path cannot be made or is
  // not a regular file.
  explicit TDemoFile(const std::string& Path);
  ~TDemoFile() override;
  TDemoFile(const TDemoFile&) = delete;
  TDemoFile& operator=(const TDemoFile&) = delete;
  // Writes what is buffered and closes the file: false when any write failed.
  bool Close();

 private:
  class TBuffer : public std::streambuf {
   public:
    int Fd = -1;
    bool Failed = false;
    TBuffer() { setp(data_, data_ + sizeof data_); }

   protected:
    int_type overflow(int_type C) override;
    int sync() override;

   private:
    bool Drain();
    char data_[65536];
  };
  TBuffer buffer_;
};
