// The player's settings and scores kept in files: settings.ini in
// $XDG_CONFIG_HOME/skyrend (default ~/.config/skyrend), scores.txt in
// $XDG_DATA_HOME/skyrend (default ~/.local/share/skyrend). A bad file never
// stops the game: what is wrong is a warning naming the file and line.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "GameHost.h"

struct TPlayerPaths {
  std::string Settings, Scores;
};

// The files' places from the environment. Without XDG_* and HOME, in
// Fallback (a shell's own preference folder); empty paths when that is empty too.
TPlayerPaths PlayerPathsFromEnvironment(const std::string& Fallback = "");

// The local date as YYYY-MM-DD, for a score.
std::string LocalDate();

class TPlayerFiles : public IPlayerStore {
 public:
  using TWarn = std::function<void(const std::string&)>;
  // An empty path keeps nothing of that kind. Warn gets each warning
  // (default: a line on stderr).
  explicit TPlayerFiles(TPlayerPaths Paths, TWarn Warn = nullptr);

  // The settings as the file has them (defaults without a file).
  TSettings LoadSettings();
  // The table as the file has it (empty without a file).
  TScoreTable LoadScores();
  // The settings this run plays with: the file's with the command line's
  // overrides. Only what the game changes later is written, so an override
  // is never saved by a change of something else.
  void SetRunSettings(const TSettings& Run) { run_ = Run; }

  // Writes the file whole when a setting changed (comments and unknown lines kept).
  void SaveSettings(const TSettings& Settings) override;
  // Under a lock on scores.txt.lock: the file as it is on disk now, the game
  // merged in, written atomically. A file with damaged lines is kept as
  // scores.txt.bad first. Returns the merged table, which holds the games of
  // this run that could not be written too.
  TScoreTable AddScore(const TScoreEntry& Game) override;

  const TPlayerPaths& Paths() const { return paths_; }

 private:
  void Warn(const std::string& Text) const;
  // Reads Path into Text; false (with a warning unless it does not exist) when it cannot.
  bool Read(const std::string& Path, std::string& Text, bool& Missing) const;

  TPlayerPaths paths_;
  TWarn warn_;
  TSettings saved_;  // as the file has them
  TSettings run_;    // as this run plays with them
  TScoreTable scores_;  // the table as last read or written
  std::vector<TScoreEntry> unsaved_;  // games of this run the file does not hold yet: tried again with the next
};
