// What the settings and scores readers must hold for any text, whatever its
// bytes: shared by the fuzz target and the replay of its kept inputs.
#pragma once
#include <string>
#include <vector>

#include "ScoreFile.h"
#include "SettingsFile.h"

// A message built from a file's text shows its control bytes escaped.
inline bool HoldsRawControl(const std::string& Message) {
  for (const char C : Message) {
    const auto Byte = static_cast<unsigned char>(C);
    if (Byte < 0x20 || Byte == 0x7F) return true;
  }
  return false;
}

// "" when the readers hold for Text, else what went wrong.
inline std::string PlayerFault(const std::string& Text) {
  constexpr size_t MaxWarnings = 10;
  const std::string Name = "player.txt";
  std::vector<std::string> Warnings;
  const TSettings Settings = ParseSettings(Text, Name, Warnings, MaxWarnings);
  if (Warnings.size() > MaxWarnings + 1) return "the settings gave more warnings than their limit";
  bool Damaged = false;
  const TScoreTable Table = ParseScores(Text, Name, Warnings, Damaged, MaxWarnings);
  if (Warnings.size() > 2 * (MaxWarnings + 1)) return "the scores gave more warnings than their limit";
  for (const std::string& W : Warnings)
    if (HoldsRawControl(W)) return "a warning holds a raw control byte: " + W;
  if (Table.size() > size_t(MaxScores)) return "the table holds more than the ten best";
  for (size_t I = 0; I < Table.size(); ++I) {
    const TScoreEntry& E = Table[I];
    if (E.Score < 0 || E.Level < 1 || E.Level > 10 || !IsIsoDate(E.Date)) return "a game outside its ranges was read";
    if (!E.Replay.empty() && !IsReplayName(E.Replay)) return "a demo's name that is no plain file name was read";
    if (I > 0 && Table[I - 1].Score < E.Score) return "the table is not best first";
  }
  // What the game writes reads back the same, without a warning.
  std::vector<std::string> Again;
  bool DamagedAgain = false;
  if (!(ParseScores(FormatScores(Table), Name, Again, DamagedAgain) == Table) || DamagedAgain || !Again.empty())
    return "a written table does not read back the same";
  if (!(ParseSettings(FormatSettings(Settings, Text), Name, Again) == Settings))
    return "written settings do not read back the same";
  return "";
}
