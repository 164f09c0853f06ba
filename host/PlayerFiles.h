// The player's settings and scores kept in files: settings.ini in
// $XDG_CONFIG_HOME/skyrend (default ~/.config/skyrend), scores.txt in
// $XDG_DATA_HOME/skyrend (default ~/.local/share/skyrend): the player's store
// over the files' backend.
#pragma once
#include <string>

#include "FileBackend.h"
#include "PlayerStore.h"

// The files' places from the environment. Without XDG_* and HOME, in
// Fallback (a shell's own preference folder); empty paths when that is empty too.
TPlayerPaths PlayerPathsFromEnvironment(const std::string& Fallback = "");

// The local date as YYYY-MM-DD, for a score.
std::string LocalDate();
// The local time now in strftime's Format (at most 31 characters).
std::string LocalTimeText(const char* Format);

class TPlayerFiles : public TPlayerStore {
 public:
  // An empty path keeps nothing of that kind.
  explicit TPlayerFiles(const TPlayerPaths& Paths, TWarn Warn = nullptr)
      : TPlayerStore(std::make_unique<TFileBackend>(Paths), std::move(Warn)) {}
};
