// The player's settings and scores, the same in every shell over a thin
// backend (PlayerBackend.h): what is read and warned about at start, the
// settings written whole when the game changes one, and each game that ends
// merged into the table as it is kept at that moment, under the backend's
// lock. A bad text never stops the game and is never lost: damaged lines are
// warned about (at most MaxWarningsPerText a text, control bytes escaped), the
// damaged table is kept aside before it is replaced, and a game that could
// not be saved is said on screen and tried again with the next.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GameHost.h"
#include "PlayerBackend.h"

constexpr int MaxWarningsPerText = 10;
// How long a game that ends waits for another program's (or tab's) merge.
constexpr unsigned ScoresLockTimeoutMs = 2000;

class TPlayerStore : public IPlayerStore {
 public:
  using TWarn = std::function<void(const std::string&)>;
  // Warn gets each warning (default: a line on stderr).
  explicit TPlayerStore(std::unique_ptr<IPlayerBackend> Backend, TWarn Warn = nullptr);
  // A save under way is finished first (its callbacks are not called).
  ~TPlayerStore() override;

  // The values of settings the kept text lacks, where the platform chooses
  // them: Keys (see FormatSettings) follow the platform until the player
  // sets them. Before LoadSettings.
  void SetPlatformDefaults(const TSettings& Defaults, std::vector<std::string> Keys) {
    defaults_ = Defaults;
    platformKeys_ = std::move(Keys);
  }
  // The settings as kept (defaults without any).
  TSettings LoadSettings();
  // The table as kept (empty without one).
  TScoreTable LoadScores();
  // The settings this run plays with: the kept ones with the command line's
  // overrides. Only what the game changes later is saved, so an override is
  // never saved by a change of something else.
  void SetRunSettings(const TSettings& Run) { run_ = Run; }

  // Writes the settings whole (comments and unknown lines kept).
  std::string SaveSettings(const TSettings& Settings) override;
  // A game that ends while a merge waits for the lock joins that merge.
  void AddScore(const TScoreEntry& Game, std::function<void(const TScoreSave&)> Done) override;
  // Named by the local date and time; the demos of games that leave the table
  // go at the next merge, all but this run's last game's.
  std::string KeepReplay(const std::string& Text, std::string& Problem) override;
  bool ReadReplay(const std::string& Name, std::string& Text, std::string& Problem) override;
  std::string ReadUnsent() override;
  bool WriteUnsent(const std::string& Text, std::string& Problem) override;
  // The stamp a demo's name is made from, YYYY-MM-DD_HH-MM-SS (a test sets it).
  std::function<std::string()> ReplayStamp;
  void Poll() override { backend_->Poll(); }
  void FinishSaves() override { backend_->Finish(); }
  // A merge waits for the lock: its games' Done is still to come.
  bool Saving() const { return !waiting_.empty(); }

  // Games of this run that the kept table does not hold yet, the ten best:
  // a game below ten others could not enter the table with them.
  const TScoreTable& Unsaved() const { return unsaved_; }

 private:
  void Warn(const std::string& Text) const;
  TTextRead Read(TPlayerText Which, std::string& Text, std::string& Error) const;
  // The merge itself, holding the lock unless Refused says why not.
  TScoreSave MergeScores(const std::string& Refused);
  TScoreSave NotSaved(const std::string& Problem) const;

  std::unique_ptr<IPlayerBackend> backend_;
  TWarn warn_;
  TSettings defaults_;
  std::vector<std::string> platformKeys_;
  TSettings saved_;  // as kept
  TSettings run_;    // as this run plays with them
  TScoreTable scores_;  // the table as last read or written
  TScoreTable unsaved_;  // tried again with the next game
  std::vector<std::function<void(const TScoreSave&)>> waiting_;  // told when the merge is done
  std::string keptDamaged_;  // the damaged text last kept aside: not kept twice
  std::string lastReplay_, earlierReplay_;  // this run's last game's demo, and the one before it
};

// Text with its control bytes written as \xNN, so a file's text can drive no
// terminal or screen that shows a message built from it.
std::string EscapeControls(const std::string& Text);
