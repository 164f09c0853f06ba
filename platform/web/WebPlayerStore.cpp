#include "WebPlayerStore.h"

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ScoreFile.h"
#include "SettingsFile.h"

namespace {

const char* const SettingsKey = "skyrend.settings";
const char* const ScoresKey = "skyrend.scores";
const char* const BadScoresKey = "skyrend.scores.bad";

// Storage may be switched off (private windows, blocked cookies): then it throws.
EM_JS(char*, GetStorageItem, (const char* Key), {
  try {
    var Value = window.localStorage.getItem(UTF8ToString(Key));
    return Value === null ? 0 : allocateUTF8(Value);
  } catch (e) {
    return 0;
  }
});

EM_JS(int, SetStorageItem, (const char* Key, const char* Value), {
  try {
    window.localStorage.setItem(UTF8ToString(Key), UTF8ToString(Value));
    return 1;
  } catch (e) {
    return 0;
  }
});

void Warn(const std::string& Text) { std::fprintf(stderr, "skyrend: %s\n", Text.c_str()); }

std::string Where(const char* Key) { return std::string("localStorage ") + Key; }

}  // namespace

bool ReadPageStorage(const std::string& Key, std::string& Value) {
  char* Text = GetStorageItem(Key.c_str());
  if (!Text) return false;
  Value = Text;
  std::free(Text);
  return true;
}

bool WritePageStorage(const std::string& Key, const std::string& Value) {
  return SetStorageItem(Key.c_str(), Value.c_str()) != 0;
}

TSettings TWebPlayerStore::LoadSettings() {
  std::string Text;
  if (!ReadPageStorage(SettingsKey, Text)) return TSettings{};
  std::vector<std::string> Warnings;
  const TSettings S = ParseSettings(Text, Where(SettingsKey), Warnings);
  for (const std::string& W : Warnings) Warn(W);
  return S;
}

TScoreTable TWebPlayerStore::LoadScores() {
  std::string Text;
  scores_.clear();
  if (!ReadPageStorage(ScoresKey, Text)) return scores_;
  std::vector<std::string> Warnings;
  bool Damaged;
  scores_ = ParseScores(Text, Where(ScoresKey), Warnings, Damaged);
  for (const std::string& W : Warnings) Warn(W);
  return scores_;
}

void TWebPlayerStore::SaveSettings(const TSettings& Settings) {
  std::string Old;
  ReadPageStorage(SettingsKey, Old);
  if (!WritePageStorage(SettingsKey, FormatSettings(Settings, Old))) Warn("the settings cannot be saved in this browser");
}

TScoreTable TWebPlayerStore::AddScore(const TScoreEntry& Game) {
  // The table as stored now: another tab may have added to it.
  std::string Old;
  const bool Stored = ReadPageStorage(ScoresKey, Old);
  std::vector<std::string> Warnings;
  bool Damaged = false;
  TScoreTable Table = Stored ? ParseScores(Old, Where(ScoresKey), Warnings, Damaged) : scores_;
  for (const std::string& W : Warnings) Warn(W);
  InsertScore(Table, Game);
  scores_ = Table;
  if (Damaged && WritePageStorage(BadScoresKey, Old)) Warn(Where(ScoresKey) + ": the damaged table is kept as " + BadScoresKey);
  if (!WritePageStorage(ScoresKey, FormatScores(Table))) Warn("the score cannot be saved in this browser");
  return Table;
}
