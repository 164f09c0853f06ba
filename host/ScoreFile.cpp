#include "ScoreFile.h"

#include <sstream>

#include "TextNumber.h"

bool IsIsoDate(const std::string& Date) {
  if (Date.size() != 10 || Date[4] != '-' || Date[7] != '-') return false;
  long long Y, M, D;
  if (!ParseWholeText(Date.substr(0, 4), Y) || !ParseWholeText(Date.substr(5, 2), M) || !ParseWholeText(Date.substr(8, 2), D))
    return false;
  if (Date[0] == '-' || Date[5] == '-' || Date[8] == '-' || M < 1 || M > 12 || D < 1) return false;
  static const int Days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool Leap = (Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0;
  return D <= (M == 2 && !Leap ? 28 : Days[M - 1]);
}

TScoreTable ParseScores(const std::string& Text, const std::string& Name, std::vector<std::string>& Warnings,
                        bool& Damaged) {
  Damaged = false;
  TScoreTable Table;
  std::istringstream In(Text);
  std::string Line;
  int Number = 0;
  while (std::getline(In, Line)) {
    ++Number;
    std::istringstream Words(Line);
    std::string ScoreWord, LevelWord, DateWord, Extra;
    if (!(Words >> ScoreWord) || ScoreWord[0] == '#') continue;
    Words >> LevelWord >> DateWord;
    long long Score = -1, Level = 0;
    const bool Good = !(Words >> Extra) && ParseWholeText(ScoreWord, Score) && Score >= 0 && Score <= INT32_MAX &&
                      ParseWholeText(LevelWord, Level) && Level >= 1 && Level <= 10 && IsIsoDate(DateWord);
    if (!Good) {
      Damaged = true;
      Warnings.push_back(Name + ":" + std::to_string(Number) + ": not a \"score level date\" line; skipped");
      continue;
    }
    InsertScore(Table, TScoreEntry{int32_t(Score), int(Level), DateWord});
  }
  return Table;
}

std::string FormatScores(const TScoreTable& Table) {
  std::string Out;
  for (const TScoreEntry& E : Table)
    Out += std::to_string(E.Score) + " " + std::to_string(E.Level) + " " + E.Date + "\n";
  return Out;
}
