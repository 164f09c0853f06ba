// The score file's lock, the same on every system: taken at once when it is
// free, else waited for on a thread of its own so that no frame ever blocks;
// the system's calls are in FileLockSystem.h.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "FileLockSystem.h"
#include "TextFile.h"

struct TFileLock::TWait {
  std::mutex Guard;
  std::condition_variable Ended;
  bool Done = false, Given = false, Abandoned = false;
};

TFileLock::TFileLock(const std::string& LockPath) {
  fd_ = OpenLockFile(LockPath);
  if (fd_ < 0) return;
  const TLockTry Tried = TryLockFile(fd_);
  if (Tried == TLockTry::Taken) {
    state_ = TState::Held;
    return;
  }
  if (Tried == TLockTry::Failed) {
    CloseLockFile(fd_);
    fd_ = -1;
    return;
  }
  auto Wait = std::make_shared<TWait>();
  const int Fd = fd_;
  try {
    std::thread([Wait, Fd] {
      const bool Taken = WaitForLockFile(Fd);
      std::lock_guard<std::mutex> Hold(Wait->Guard);
      if (Wait->Abandoned) {
        CloseLockFile(Fd);
        return;
      }
      Wait->Done = true;
      Wait->Given = Taken;
      Wait->Ended.notify_one();
    }).detach();
  } catch (const std::system_error&) {  // no thread to be had: work unlocked, as without a lock file
    CloseLockFile(fd_);
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
    CloseLockFile(fd_);
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
  if (fd_ >= 0) CloseLockFile(fd_);  // closing lets the lock go
}
