// The desktop's player files (and the headless tools' --settings/--scores):
// plain files written through TextFile, the score merge under a lock file
// beside the table (scores.txt.lock), which another program may hold: the
// merge then waits while the game goes on, and Poll runs it once the lock is
// had or the wait has run out.
#pragma once
#include <chrono>
#include <memory>

#include "PlayerBackend.h"
#include "TextFile.h"

struct TPlayerPaths {
  std::string Settings, Scores;
};

class TFileBackend : public IPlayerBackend {
 public:
  // An empty path keeps nothing of that kind.
  explicit TFileBackend(TPlayerPaths Paths) : paths_(std::move(Paths)) {}

  std::string Name(TPlayerText Which) const override;
  TTextRead Read(TPlayerText Which, std::string& Text, std::string& Error) override;
  bool Write(TPlayerText Which, const std::string& Text, std::string& Error) override;
  bool KeepDamaged(TPlayerText Which, const std::string& Text, std::string& KeptAs, std::string& Error) override;
  void WithScoresLock(unsigned TimeoutMs, std::function<void(const std::string& Refused)> Work) override;
  void Poll() override;
  void Finish() override;
  // In replays/ beside the score table.
  bool WriteReplay(const std::string& Name, const std::string& Text, std::string& Error) override;
  void RemoveReplay(const std::string& Name) override;
  bool ReadReplay(const std::string& Name, std::string& Text, std::string& Error) override;
  std::string ReplayFolder() const;

 private:
  using TClock = std::chrono::steady_clock;
  // Runs the waiting Work with the lock as it stands, then lets it go.
  void RunWork(TFileLock::TState State);

  TPlayerPaths paths_;
  std::unique_ptr<TFileLock> lock_;  // while a merge waits for it
  std::function<void(const std::string& Refused)> work_;
  TClock::time_point deadline_;
};
