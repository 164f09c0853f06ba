// The high-score table: the ten best games, best first. Plain values, no I/O.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int MaxScores = 10;

struct TScoreEntry {
  TScoreEntry() = default;
  TScoreEntry(int32_t S, int L, std::string D, std::string R = "")
      : Score(S), Level(L), Date(std::move(D)), Replay(std::move(R)) {}
  int32_t Score = 0;
  int Level = 1;     // the level reached, 1..10
  std::string Date;  // ISO date, YYYY-MM-DD
  std::string Replay;  // the kept demo's name in the replays' folder, "" for none

  bool operator==(const TScoreEntry& O) const {
    return Score == O.Score && Level == O.Level && Date == O.Date && Replay == O.Replay;
  }
};

using TScoreTable = std::vector<TScoreEntry>;

// How the last game to end stands: its score and the place it took (1..10),
// 0 when it did not reach the table.
struct TGameResult {
  int32_t Score = 0;
  int Level = 1;
  int Place = 0;
  bool NewHighScore = false;  // better than every game before it
  bool Replayed = false;      // a demo's game: never scored, so no place and no high score
};

// Puts the game in its place in a table kept best first (a later game below
// an equal score) and cuts the table to MaxScores; returns the place, 1 for
// the best, or 0 when the game did not reach the table.
int InsertScore(TScoreTable& Table, const TScoreEntry& Game);
