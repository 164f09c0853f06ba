// The board in PostgreSQL, shared by several server and worker machines.
// A game is judged inside the transaction that claimed it (FOR UPDATE SKIP
// LOCKED): a worker that dies mid-way leaves it queued for the next one.
#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Storage.h"

struct TPgConnection;

class TPostgresStorage : public IStorage {
 public:
  // Connects to Url (postgresql://...) and creates the tables when missing;
  // throws EStorageDown.
  explicit TPostgresStorage(const std::string& Url);
  ~TPostgresStorage() override;

  int64_t Add(const TNewGame& Game) override;
  bool JudgeNext(const std::function<TVerdict(const TQueuedGame&)>& Judge, int64_t Now) override;
  std::optional<TGameState> Game(int64_t Id) override;
  std::optional<std::string> Demo(int64_t Id) override;
  std::vector<TBoardLine> Board(int64_t Since, int64_t Offset, int64_t Count, int64_t& Total) override;
  int64_t Place(const TGameState& Game, int64_t Since) override;

 private:
  std::unique_ptr<TPgConnection> Open();
  template <typename F>
  auto With(F&& Work);

  std::string url_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<TPgConnection>> idle_;
};
