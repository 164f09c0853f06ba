// The player's files for the simulator, the benchmark and the soak: read only
// when named (--settings FILE, --scores FILE), so that a run never depends on
// the files of whoever runs it. What the run changes or scores is kept there.
#pragma once
#include <string>

#include "HeadlessHost.h"
#include "PlayerFiles.h"

class TToolPlayer {
 public:
  // Reads the named files (either may be empty: not read, nothing kept);
  // warnings go to stderr after "Program: ".
  TToolPlayer(const std::string& SettingsPath, const std::string& ScoresPath, const std::string& Program);
  TToolPlayer(const TToolPlayer&) = delete;
  TToolPlayer& operator=(const TToolPlayer&) = delete;

  // What a headless game starts with: defaults and no store when no file was named.
  const THeadlessPlayer& Player() const { return player_; }

 private:
  TPlayerFiles files_;
  THeadlessPlayer player_;
};
