#include "Scores.h"

#include <algorithm>

int InsertScore(TScoreTable& Table, const TScoreEntry& Game) {
  const auto At = std::upper_bound(Table.begin(), Table.end(), Game,
                                   [](const TScoreEntry& A, const TScoreEntry& B) { return A.Score > B.Score; });
  const int Place = int(At - Table.begin()) + 1;
  if (Place > MaxScores) return 0;
  Table.insert(At, Game);
  if (int(Table.size()) > MaxScores) Table.resize(MaxScores);
  return Place;
}
