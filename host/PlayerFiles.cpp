#include "PlayerFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "ScoreFile.h"
#include "SettingsFile.h"
#include "SettingsOverrides.h"
#include "TextFile.h"

namespace {

std::string Env(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value && *Value == '/' ? Value : "";  // XDG: a relative path is to be ignored
}

}  // namespace

TPlayerPaths PlayerPathsFromEnvironment(const std::string& Fallback) {
  const std::string Home = Env("HOME");
  std::string Config = Env("XDG_CONFIG_HOME"), Data = Env("XDG_DATA_HOME");
  if (Config.empty() && !Home.empty()) Config = Home + "/.config";
  if (Data.empty() && !Home.empty()) Data = Home + "/.local/share";
  TPlayerPaths P;
  const std::string Other = Fallback.empty() ? "" : Fallback + (Fallback.back() == '/' ? "" : "/");
  P.Settings = !Config.empty() ? Config + "/skyrend/settings.ini" : Other.empty() ? "" : Other + "settings.ini";
  P.Scores = !Data.empty() ? Data + "/skyrend/scores.txt" : Other.empty() ? "" : Other + "scores.txt";
  return P;
}

std::string LocalDate() {
  const std::time_t Now = std::time(nullptr);
  std::tm Local{};
  localtime_r(&Now, &Local);
  char Text[16];
  std::strftime(Text, sizeof Text, "%Y-%m-%d", &Local);
  return Text;
}

TPlayerFiles::TPlayerFiles(TPlayerPaths Paths, TWarn Warn) : paths_(std::move(Paths)), warn_(std::move(Warn)) {}

void TPlayerFiles::Warn(const std::string& Text) const {
  if (warn_) warn_(Text);
  else std::fprintf(stderr, "skyrend: %s\n", Text.c_str());
}

bool TPlayerFiles::Read(const std::string& Path, std::string& Text, bool& Missing) const {
  std::string Error;
  Missing = false;
  if (ReadTextFile(Path, Text, Error)) return true;
  Missing = errno == ENOENT || errno == ENOTDIR;  // no such file: nothing to lose
  if (!Missing) Warn(Path + ": cannot be read: " + Error);
  return false;
}

TSettings TPlayerFiles::LoadSettings() {
  std::string Text;
  bool Missing;
  saved_ = TSettings{};
  if (!paths_.Settings.empty() && Read(paths_.Settings, Text, Missing)) {
    std::vector<std::string> Warnings;
    saved_ = ParseSettings(Text, paths_.Settings, Warnings);
    for (const std::string& W : Warnings) Warn(W);
  }
  run_ = saved_;
  return saved_;
}

TScoreTable TPlayerFiles::LoadScores() {
  std::string Text;
  bool Missing, Damaged;
  scores_.clear();
  if (!paths_.Scores.empty() && Read(paths_.Scores, Text, Missing)) {
    std::vector<std::string> Warnings;
    scores_ = ParseScores(Text, paths_.Scores, Warnings, Damaged);
    for (const std::string& W : Warnings) Warn(W);
  }
  return scores_;
}

void TPlayerFiles::SaveSettings(const TSettings& Settings) {
  saved_ = KeepChanges(saved_, run_, Settings);
  run_ = Settings;
  if (paths_.Settings.empty()) return;
  std::string Old;
  bool Missing;
  if (!Read(paths_.Settings, Old, Missing) && !Missing) return;  // a file that cannot be read is not replaced
  std::string Error;
  if (!WriteTextFileAtomically(paths_.Settings, FormatSettings(saved_, Old), Error))
    Warn(paths_.Settings + ": the settings cannot be saved: " + Error);
}

TScoreTable TPlayerFiles::AddScore(const TScoreEntry& Game) {
  if (paths_.Scores.empty()) {
    InsertScore(scores_, Game);
    return scores_;
  }
  unsaved_.push_back(Game);
  TFileLock Lock(paths_.Scores + ".lock");
  std::string Old, Error;
  bool Missing = false, Damaged = false;
  if (!Read(paths_.Scores, Old, Missing) && !Missing) {
    // Writing now would lose the games in a file that cannot be read.
    InsertScore(scores_, Game);
    Warn(paths_.Scores + ": the score is not saved");
    return scores_;
  }
  std::vector<std::string> Warnings;
  TScoreTable Table = ParseScores(Old, paths_.Scores, Warnings, Damaged);
  for (const std::string& W : Warnings) Warn(W);
  for (const TScoreEntry& E : unsaved_) InsertScore(Table, E);
  scores_ = Table;
  if (Damaged) {
    const std::string Bad = paths_.Scores + ".bad";
    if (WriteTextFileAtomically(Bad, Old, Error)) Warn(paths_.Scores + ": the damaged file is kept as " + Bad);
    else Warn(Bad + ": cannot be written: " + Error);
  }
  if (WriteTextFileAtomically(paths_.Scores, FormatScores(Table), Error)) unsaved_.clear();
  else Warn(paths_.Scores + ": the score cannot be saved: " + Error);
  return Table;
}
