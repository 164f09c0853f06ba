// The board in one SQLite file (WAL), for a board served by one machine.
// Games whose judging was cut short are queued again when the file is opened.
#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Storage.h"

struct sqlite3;

class TSqliteStorage : public IStorage {
 public:
  // Opens (creating when missing) the file at Path; throws EStorageDown.
  explicit TSqliteStorage(const std::string& Path);
  ~TSqliteStorage() override;

  int64_t Add(const TNewGame& Game) override;
  bool JudgeNext(const std::function<TVerdict(const TQueuedGame&)>& Judge, int64_t Now) override;
  std::optional<TGameState> Game(int64_t Id) override;
  std::optional<std::string> Demo(int64_t Id) override;
  std::vector<TBoardLine> Board(int64_t Since, int64_t Offset, int64_t Count, int64_t& Total) override;
  int64_t Place(const TGameState& Game, int64_t Since) override;

 private:
  class TLease;
  sqlite3* Open();
  sqlite3* Acquire();
  void Release(sqlite3* Db);

  std::string path_;
  std::mutex mutex_;
  std::vector<sqlite3*> idle_;  // connections not in use, one per thread at most
};
