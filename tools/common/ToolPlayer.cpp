#include "ToolPlayer.h"

#include <cstdio>

TToolPlayer::TToolPlayer(const std::string& SettingsPath, const std::string& ScoresPath, const std::string& Program)
    : files_({SettingsPath, ScoresPath},
             [Program](const std::string& W) { std::fprintf(stderr, "%s: %s\n", Program.c_str(), W.c_str()); }) {
  if (SettingsPath.empty() && ScoresPath.empty()) return;
  player_.Settings = files_.LoadSettings();
  player_.Scores = files_.LoadScores();
  player_.Store = &files_;
}
