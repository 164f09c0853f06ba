#include "SqliteStorage.h"

#include <sqlite3.h>

namespace {

const char* const Schema =
    "CREATE TABLE IF NOT EXISTS games ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, hash TEXT NOT NULL,"
    " claimed INTEGER NOT NULL, state TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '',"
    " score INTEGER NOT NULL DEFAULT 0, level INTEGER NOT NULL DEFAULT 0, frames INTEGER NOT NULL DEFAULT 0,"
    " sent_at INTEGER NOT NULL, ranked_at INTEGER NOT NULL DEFAULT 0,"
    // Last: a row's columns after a long text are read through its overflow pages.
    " demo TEXT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS games_queue ON games (state, id);"
    "CREATE INDEX IF NOT EXISTS games_board ON games (state, score DESC, ranked_at, id);"
    "CREATE UNIQUE INDEX IF NOT EXISTS games_ranked_hash ON games (hash) WHERE state = 'ranked';";

[[noreturn]] void Fail(sqlite3* Db, const std::string& What) {
  throw EStorageDown("the database failed to " + What + ": " + (Db ? sqlite3_errmsg(Db) : "out of memory"));
}

// One prepared statement, its parameters bound in order.
class TStatement {
 public:
  TStatement(sqlite3* Db, const char* Sql) : db_(Db) {
    if (sqlite3_prepare_v2(Db, Sql, -1, &stmt_, nullptr) != SQLITE_OK) Fail(Db, "prepare a statement");
  }
  ~TStatement() { sqlite3_finalize(stmt_); }
  TStatement& Bind(int64_t V) {
    Check(sqlite3_bind_int64(stmt_, ++param_, V));
    return *this;
  }
  TStatement& Bind(const std::string& V) {
    Check(sqlite3_bind_text(stmt_, ++param_, V.data(), static_cast<int>(V.size()), SQLITE_TRANSIENT));
    return *this;
  }
  // True while a row is there to read.
  bool Step() {
    const int Rc = sqlite3_step(stmt_);
    if (Rc == SQLITE_ROW) return true;
    if (Rc == SQLITE_DONE) return false;
    Fail(db_, "run a statement");
  }
  int64_t Int(int Col) const { return sqlite3_column_int64(stmt_, Col); }
  std::string Text(int Col) const {
    const auto* P = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, Col));
    return P ? std::string(P, sqlite3_column_bytes(stmt_, Col)) : std::string();
  }

 private:
  void Check(int Rc) {
    if (Rc != SQLITE_OK) Fail(db_, "bind a value");
  }
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  int param_ = 0;
};

void Run(sqlite3* Db, const char* Sql) {
  TStatement S(Db, Sql);
  while (S.Step()) {
  }
}

// A write transaction, rolled back unless committed.
class TTransaction {
 public:
  explicit TTransaction(sqlite3* Db) : db_(Db) { Run(Db, "BEGIN IMMEDIATE"); }
  ~TTransaction() {
    if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  void Commit() {
    Run(db_, "COMMIT");
    done_ = true;
  }

 private:
  sqlite3* db_;
  bool done_ = false;
};

TGameState StateFrom(const TStatement& S) {
  TGameState G;
  G.Id = S.Int(0);
  G.Name = S.Text(1);
  G.State = S.Text(2);
  G.Reason = S.Text(3);
  G.Score = S.Int(4);
  G.Level = static_cast<int32_t>(S.Int(5));
  G.Frames = S.Int(6);
  G.SentAt = S.Int(7);
  G.RankedAt = S.Int(8);
  return G;
}

}  // namespace

// A connection borrowed from the pool for one call.
class TSqliteStorage::TLease {
 public:
  explicit TLease(TSqliteStorage& S) : s_(S), db_(S.Acquire()) {}
  ~TLease() { s_.Release(db_); }
  operator sqlite3*() const { return db_; }

 private:
  TSqliteStorage& s_;
  sqlite3* db_;
};

TSqliteStorage::TSqliteStorage(const std::string& Path) : path_(Path) {
  TLease Db(*this);
  Run(Db, "PRAGMA journal_mode = WAL");
  if (sqlite3_exec(Db, Schema, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(Db, "create its tables");
  // Games being judged when the last server stopped are judged again.
  Run(Db, "UPDATE games SET state = 'queued' WHERE state = 'started'");
}

TSqliteStorage::~TSqliteStorage() {
  for (sqlite3* Db : idle_) sqlite3_close(Db);
}

sqlite3* TSqliteStorage::Open() {
  sqlite3* Db = nullptr;
  if (sqlite3_open_v2(path_.c_str(), &Db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    const std::string Why = Db ? sqlite3_errmsg(Db) : "out of memory";
    sqlite3_close(Db);
    throw EStorageDown("the database " + path_ + " cannot be opened: " + Why);
  }
  sqlite3_busy_timeout(Db, 5000);
  sqlite3_exec(Db, "PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
  return Db;
}

sqlite3* TSqliteStorage::Acquire() {
  {
    std::lock_guard<std::mutex> Lock(mutex_);
    if (!idle_.empty()) {
      sqlite3* Db = idle_.back();
      idle_.pop_back();
      return Db;
    }
  }
  return Open();
}

void TSqliteStorage::Release(sqlite3* Db) {
  std::lock_guard<std::mutex> Lock(mutex_);
  idle_.push_back(Db);
}

int64_t TSqliteStorage::Add(const TNewGame& G) {
  TLease Db(*this);
  TStatement S(Db, "INSERT INTO games (name, demo, hash, claimed, state, sent_at) VALUES ($1, $2, $3, $4, 'queued', $5)");
  S.Bind(G.Name).Bind(G.Demo).Bind(G.Hash).Bind(G.Claimed).Bind(G.SentAt).Step();
  return sqlite3_last_insert_rowid(Db);
}

bool TSqliteStorage::JudgeNext(const std::function<TVerdict(const TQueuedGame&)>& Judge, int64_t Now) {
  TLease Db(*this);
  TQueuedGame Q;
  std::string Hash;
  {
    // Claimed as "started" in a short transaction: judging takes seconds and
    // must not hold the file's write lock meanwhile.
    TTransaction T(Db);
    TStatement S(Db, "SELECT id, demo, claimed, hash FROM games WHERE state = 'queued' ORDER BY id LIMIT 1");
    if (!S.Step()) return false;
    Q.Id = S.Int(0);
    Q.Demo = S.Text(1);
    Q.Claimed = S.Int(2);
    Hash = S.Text(3);
    TStatement(Db, "UPDATE games SET state = 'started' WHERE id = $1").Bind(Q.Id).Step();
    T.Commit();
  }
  TVerdict V = Judge(Q);
  TTransaction T(Db);
  if (!V.Refused) {
    TStatement Twin(Db, "SELECT 1 FROM games WHERE hash = $1 AND state = 'ranked'");
    if (Twin.Bind(Hash).Step()) V = TVerdict{true, AlreadyOnBoard, V.Score, V.Level, V.Frames};
  }
  TStatement U(Db,
               "UPDATE games SET state = $1, reason = $2, score = $3, level = $4, frames = $5, ranked_at = $6 "
               "WHERE id = $7");
  U.Bind(std::string(V.Refused ? "refused" : "ranked")).Bind(V.Reason).Bind(V.Score).Bind(int64_t{V.Level});
  U.Bind(V.Frames).Bind(V.Refused ? int64_t{0} : Now).Bind(Q.Id).Step();
  T.Commit();
  return true;
}

std::optional<TGameState> TSqliteStorage::Game(int64_t Id) {
  TLease Db(*this);
  TStatement S(Db,
               "SELECT id, name, CASE state WHEN 'started' THEN 'queued' ELSE state END, reason, score, level, "
               "frames, sent_at, ranked_at FROM games WHERE id = $1");
  if (!S.Bind(Id).Step()) return std::nullopt;
  return StateFrom(S);
}

std::optional<std::string> TSqliteStorage::Demo(int64_t Id) {
  TLease Db(*this);
  TStatement S(Db, "SELECT demo FROM games WHERE id = $1 AND state = 'ranked'");
  if (!S.Bind(Id).Step()) return std::nullopt;
  return S.Text(0);
}

std::vector<TBoardLine> TSqliteStorage::Board(int64_t Since, int64_t Offset, int64_t Count, int64_t& Total) {
  TLease Db(*this);
  TStatement C(Db, "SELECT count(*) FROM games WHERE state = 'ranked' AND ranked_at >= $1");
  C.Bind(Since).Step();
  Total = C.Int(0);
  TStatement S(Db,
               "SELECT id, name, score, level, ranked_at FROM games WHERE state = 'ranked' AND ranked_at >= $1 "
               "ORDER BY score DESC, ranked_at, id LIMIT $2 OFFSET $3");
  S.Bind(Since).Bind(Count).Bind(Offset);
  std::vector<TBoardLine> Lines;
  while (S.Step())
    Lines.push_back(TBoardLine{S.Int(0), S.Text(1), S.Int(2), static_cast<int32_t>(S.Int(3)), S.Int(4)});
  return Lines;
}

int64_t TSqliteStorage::Place(const TGameState& G, int64_t Since) {
  if (G.State != "ranked" || G.RankedAt < Since) return 0;
  TLease Db(*this);
  TStatement S(Db,
               "SELECT count(*) FROM games WHERE state = 'ranked' AND ranked_at >= $1 AND (score > $2 OR "
               "(score = $2 AND (ranked_at < $3 OR (ranked_at = $3 AND id < $4))))");
  S.Bind(Since).Bind(G.Score).Bind(G.RankedAt).Bind(G.Id).Step();
  return S.Int(0) + 1;
}
