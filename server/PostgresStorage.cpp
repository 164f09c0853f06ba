#include "PostgresStorage.h"

#include <pqxx/pqxx>

namespace {

const char* const Schema =
    "CREATE TABLE IF NOT EXISTS games ("
    " id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, hash TEXT NOT NULL,"
    " claimed BIGINT NOT NULL, state TEXT NOT NULL, reason TEXT NOT NULL DEFAULT '',"
    " score BIGINT NOT NULL DEFAULT 0, level INTEGER NOT NULL DEFAULT 0, frames BIGINT NOT NULL DEFAULT 0,"
    " sent_at BIGINT NOT NULL, ranked_at BIGINT NOT NULL DEFAULT 0, demo TEXT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS games_queue ON games (state, id);"
    "CREATE INDEX IF NOT EXISTS games_board ON games (state, score DESC, ranked_at, id);"
    "CREATE UNIQUE INDEX IF NOT EXISTS games_ranked_hash ON games (hash) WHERE state = 'ranked';";

// Every statement the board runs, prepared on each connection.
const std::pair<const char*, const char*> Statements[] = {
    {"add", "INSERT INTO games (name, demo, hash, claimed, state, sent_at) VALUES ($1, $2, $3, $4, 'queued', $5) "
            "RETURNING id"},
    {"claim", "SELECT id, demo, claimed, hash FROM games WHERE state = 'queued' ORDER BY id LIMIT 1 "
              "FOR UPDATE SKIP LOCKED"},
    {"twin", "SELECT 1 FROM games WHERE hash = $1 AND state = 'ranked'"},
    {"judge", "UPDATE games SET state = $1, reason = $2, score = $3, level = $4, frames = $5, ranked_at = $6 "
              "WHERE id = $7"},
    {"game", "SELECT id, name, state, reason, score, level, frames, sent_at, ranked_at FROM games WHERE id = $1"},
    {"demo", "SELECT demo FROM games WHERE id = $1 AND state = 'ranked'"},
    {"count", "SELECT count(*) FROM games WHERE state = 'ranked' AND ranked_at >= $1"},
    {"board", "SELECT id, name, score, level, ranked_at FROM games WHERE state = 'ranked' AND ranked_at >= $1 "
              "ORDER BY score DESC, ranked_at, id LIMIT $2 OFFSET $3"},
    {"place", "SELECT count(*) FROM games WHERE state = 'ranked' AND ranked_at >= $1 AND (score > $2 OR "
              "(score = $2 AND (ranked_at < $3 OR (ranked_at = $3 AND id < $4))))"},
};

}  // namespace

struct TPgConnection {
  explicit TPgConnection(const std::string& Url) : C(Url) {}
  pqxx::connection C;
};

// Runs Work on a pooled connection. A connection that broke is dropped (the
// next call opens a new one) and the failure becomes EStorageDown; errors of
// a statement are EStorageDown too, with the database's message.
template <typename F>
auto TPostgresStorage::With(F&& Work) {
  std::unique_ptr<TPgConnection> C;
  {
    std::lock_guard<std::mutex> Lock(mutex_);
    if (!idle_.empty()) {
      C = std::move(idle_.back());
      idle_.pop_back();
    }
  }
  try {
    if (!C) C = Open();
    auto Result = Work(C->C);
    std::lock_guard<std::mutex> Lock(mutex_);
    idle_.push_back(std::move(C));
    return Result;
  } catch (const pqxx::broken_connection& e) {
    // The others were opened to the same server: after a restart they are
    // all broken, and each would fail one request more.
    std::lock_guard<std::mutex> Lock(mutex_);
    idle_.clear();
    throw EStorageDown(std::string("the database cannot be reached: ") + e.what());
  } catch (const pqxx::sql_error& e) {
    if (C && C->C.is_open()) {
      std::lock_guard<std::mutex> Lock(mutex_);
      idle_.push_back(std::move(C));
    }
    throw EStorageDown(std::string("the database failed: ") + e.what());
  } catch (const pqxx::failure& e) {
    throw EStorageDown(std::string("the database failed: ") + e.what());
  }
}

TPostgresStorage::TPostgresStorage(const std::string& Url) : url_(Url) {
  With([](pqxx::connection& C) {
    pqxx::work W(C);
    // Two servers starting at once must not both create the tables.
    W.exec("SELECT pg_advisory_xact_lock(4242)");
    W.exec(Schema);
    W.commit();
    return 0;
  });
}

TPostgresStorage::~TPostgresStorage() = default;

std::unique_ptr<TPgConnection> TPostgresStorage::Open() {
  auto C = std::make_unique<TPgConnection>(url_);
  for (const auto& S : Statements) C->C.prepare(S.first, S.second);
  return C;
}

int64_t TPostgresStorage::Add(const TNewGame& G) {
  return With([&G](pqxx::connection& C) {
    pqxx::work W(C);
    const pqxx::row R = W.exec_prepared1("add", G.Name, G.Demo, G.Hash, G.Claimed, G.SentAt);
    W.commit();
    return R[0].as<int64_t>();
  });
}

bool TPostgresStorage::JudgeNext(const std::function<TVerdict(const TQueuedGame&)>& Judge, int64_t Now) {
  return With([&](pqxx::connection& C) {
    pqxx::work W(C);
    const pqxx::result R = W.exec_prepared("claim");
    if (R.empty()) return false;
    TQueuedGame Q{R[0][0].as<int64_t>(), R[0][1].as<std::string>(), R[0][2].as<int64_t>()};
    const std::string Hash = R[0][3].as<std::string>();
    TVerdict V = Judge(Q);
    if (!V.Refused && !W.exec_prepared("twin", Hash).empty()) V = TVerdict{true, AlreadyOnBoard, V.Score, V.Level, V.Frames};
    try {
      W.exec_prepared0("judge", V.Refused ? "refused" : "ranked", V.Reason, V.Score, V.Level, V.Frames,
                       V.Refused ? int64_t{0} : Now, Q.Id);
      W.commit();
    } catch (const pqxx::unique_violation&) {
      // Its twin was ranked by another worker meanwhile: it stays queued and
      // is refused when judged again.
    }
    return true;
  });
}

std::optional<TGameState> TPostgresStorage::Game(int64_t Id) {
  return With([Id](pqxx::connection& C) -> std::optional<TGameState> {
    pqxx::read_transaction W(C);
    const pqxx::result R = W.exec_prepared("game", Id);
    if (R.empty()) return std::nullopt;
    const pqxx::row Row = R[0];
    TGameState G;
    G.Id = Row[0].as<int64_t>();
    G.Name = Row[1].as<std::string>();
    G.State = Row[2].as<std::string>();
    G.Reason = Row[3].as<std::string>();
    G.Score = Row[4].as<int64_t>();
    G.Level = Row[5].as<int32_t>();
    G.Frames = Row[6].as<int64_t>();
    G.SentAt = Row[7].as<int64_t>();
    G.RankedAt = Row[8].as<int64_t>();
    return G;
  });
}

std::optional<std::string> TPostgresStorage::Demo(int64_t Id) {
  return With([Id](pqxx::connection& C) -> std::optional<std::string> {
    pqxx::read_transaction W(C);
    const pqxx::result R = W.exec_prepared("demo", Id);
    if (R.empty()) return std::nullopt;
    return R[0][0].as<std::string>();
  });
}

std::vector<TBoardLine> TPostgresStorage::Board(int64_t Since, int64_t Offset, int64_t Count, int64_t& Total) {
  return With([&](pqxx::connection& C) {
    pqxx::read_transaction W(C);
    Total = W.exec_prepared1("count", Since)[0].as<int64_t>();
    std::vector<TBoardLine> Lines;
    for (const pqxx::row& Row : W.exec_prepared("board", Since, Count, Offset))
      Lines.push_back(TBoardLine{Row[0].as<int64_t>(), Row[1].as<std::string>(), Row[2].as<int64_t>(),
                                 Row[3].as<int32_t>(), Row[4].as<int64_t>()});
    return Lines;
  });
}

int64_t TPostgresStorage::Place(const TGameState& G, int64_t Since) {
  if (G.State != "ranked" || G.RankedAt < Since) return 0;
  return With([&](pqxx::connection& C) {
    pqxx::read_transaction W(C);
    return W.exec_prepared1("place", Since, G.Score, G.RankedAt, G.Id)[0].as<int64_t>() + 1;
  });
}
