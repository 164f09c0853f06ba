// The player's settings and scores in the page: the same text as the desktop's
// files, kept in the browser's localStorage under "skyrend.settings" and
// "skyrend.scores" (a damaged table is kept as "skyrend.scores.bad"). Every
// game that ends is merged into the table as it is stored at that moment, so
// two tabs that end games both keep them. Warnings go to the console.
#pragma once
#include <string>

#include "GameHost.h"

class TWebPlayerStore : public IPlayerStore {
 public:
  TSettings LoadSettings();
  TScoreTable LoadScores();
  void SaveSettings(const TSettings& Settings) override;
  TScoreTable AddScore(const TScoreEntry& Game) override;

 private:
  TScoreTable scores_;  // the table as last read or written
};

// localStorage's item, false when it has none or storage is unavailable.
bool ReadPageStorage(const std::string& Key, std::string& Value);
// False when storage is unavailable or full.
bool WritePageStorage(const std::string& Key, const std::string& Value);
