// The board's storage: games as they are sent, queued, judged and ranked.
// Two backends share this interface: SQLite (one file, one server) and
// PostgreSQL (one board shared by several server and worker machines).
// Every call may throw EStorageDown when the database cannot be used; the
// caller answers 503 with its reason. Nothing is half-written: each call is
// one transaction.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class EStorageDown : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TNewGame {
  std::string Name;
  std::string Demo;
  std::string Hash;       // of the demo, to refuse one already on the board
  int64_t Claimed = -1;   // the score the client saw; -1 when it sent none
  int64_t SentAt = 0;     // Unix seconds
};

struct TQueuedGame {
  int64_t Id = 0;
  std::string Demo;
  int64_t Claimed = -1;
};

// What the replay decided.
struct TVerdict {
  bool Refused = false;
  std::string Reason;
  int64_t Score = 0;
  int32_t Level = 0;
  int64_t Frames = 0;
};

struct TGameState {
  int64_t Id = 0;
  std::string Name;
  std::string State;      // "queued", "ranked" or "refused"
  std::string Reason;     // why it was refused
  int64_t Score = 0;
  int32_t Level = 0;
  int64_t Frames = 0;
  int64_t SentAt = 0;
  int64_t RankedAt = 0;
};

struct TBoardLine {
  int64_t Id = 0;
  std::string Name;
  int64_t Score = 0;
  int32_t Level = 0;
  int64_t RankedAt = 0;
};

// The reason a game already on the board is refused again.
extern const char* const AlreadyOnBoard;

class IStorage {
 public:
  virtual ~IStorage() = default;
  // Queues a game; its id.
  virtual int64_t Add(const TNewGame& Game) = 0;
  // Takes the oldest queued game, asks Judge for the verdict and keeps it
  // (a demo already ranked is refused instead); false when none is queued.
  // A game whose judging is cut short (the process killed) stays queued.
  virtual bool JudgeNext(const std::function<TVerdict(const TQueuedGame&)>& Judge, int64_t Now) = 0;
  virtual std::optional<TGameState> Game(int64_t Id) = 0;
  // A ranked game's demo.
  virtual std::optional<std::string> Demo(int64_t Id) = 0;
  // Ranked games since Since (Unix seconds), best first (ties: the earlier
  // ranked first): Count of them from Offset, and how many there are.
  virtual std::vector<TBoardLine> Board(int64_t Since, int64_t Offset, int64_t Count, int64_t& Total) = 0;
  // A ranked game's place (1 = best) among those ranked since Since; 0 when
  // it was ranked before.
  virtual int64_t Place(const TGameState& Game, int64_t Since) = 0;
};
