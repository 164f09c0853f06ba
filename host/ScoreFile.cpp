#include "ScoreFile.h"


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

bool IsReplayName(const std::string& Name) {
  if (Name.size() < 5 || Name.size() > 64 || Name[0] == '.' || Name.compare(Name.size() - 4, 4, ".txt") != 0) return false;
  for (const char C : Name)
    if (!((C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == '-' || C == '_' || C == '.'))
      return false;
  return true;
}

namespace {

bool IsSpace(char C) { return C == ' ' || (C >= '\t' && C <= '\r'); }

// A byte no text the game writes holds (a NUL, an escape, ...): a line with
// one is damaged, whatever else it says.
bool HoldsControl(const std::string& Text, size_t Begin, size_t End) {
  for (size_t At = Begin; At < End; ++At) {
    const auto Byte = static_cast<unsigned char>(Text[At]);
    if ((Byte < 0x20 && Byte != '\t' && Byte != '\r') || Byte == 0x7F) return true;
  }
  return false;
}

// The next whitespace-separated word of Line from At, "" at its end.
std::string NextWord(const std::string& Text, size_t& At, size_t End) {
  while (At < End && IsSpace(Text[At])) ++At;
  const size_t Begin = At;
  while (At < End && !IsSpace(Text[At])) ++At;
  return Text.substr(Begin, At - Begin);
}

}  // namespace

TScoreTable ParseScores(const std::string& Text, const std::string& Name, std::vector<std::string>& Warnings,
                        bool& Damaged, size_t MaxWarnings) {
  Damaged = false;
  TScoreTable Table;
  size_t More = 0;
  int Number = 0;
  for (size_t Begin = 0; Begin < Text.size();) {
    size_t End = Text.find('\n', Begin);
    if (End == std::string::npos) End = Text.size();
    ++Number;
    size_t At = Begin;
    Begin = End + 1;
    const bool Control = HoldsControl(Text, At, End);
    const std::string ScoreWord = NextWord(Text, At, End);
    if (!Control && (ScoreWord.empty() || ScoreWord[0] == '#')) continue;
    const std::string LevelWord = NextWord(Text, At, End), DateWord = NextWord(Text, At, End);
    const std::string ReplayWord = NextWord(Text, At, End);
    long long Score = -1, Level = 0;
    const bool Good = !Control && NextWord(Text, At, End).empty() && (ReplayWord.empty() || IsReplayName(ReplayWord)) &&
                      ParseWholeText(ScoreWord, Score) && Score >= 0 &&
                      Score <= INT32_MAX && ParseWholeText(LevelWord, Level) && Level >= 1 && Level <= 10 &&
                      IsIsoDate(DateWord);
    if (!Good) {
      Damaged = true;
      if (Warnings.size() < MaxWarnings)
        Warnings.push_back(Name + ":" + std::to_string(Number) +
                           (Control ? ": holds a control byte; skipped" : ": not a \"score level date\" line; skipped"));
      else
        ++More;
      continue;
    }
    InsertScore(Table, TScoreEntry{int32_t(Score), int(Level), DateWord, ReplayWord});
  }
  if (More > 0) Warnings.push_back(Name + ": and " + std::to_string(More) + " more");
  return Table;
}

std::string FormatScores(const TScoreTable& Table) {
  std::string Out;
  for (const TScoreEntry& E : Table)
    Out += std::to_string(E.Score) + " " + std::to_string(E.Level) + " " + E.Date + (E.Replay.empty() ? "" : " " + E.Replay) + "\n";
  return Out;
}
