// The small SDL services: ticks, failure messages, the cursor and the program folder.
#pragma once
#include <SDL.h>

#include <string>

#include "PlayerFiles.h"
#include "Services.h"

// SDL's milliseconds: the wall clock the host makes the game's clock from.
class TSdlWallClock : public ITickSource {
 public:
  uint32_t GetTickCount() override { return SDL_GetTicks(); }
};

// True when a message may be shown as a dialog: a display exists and
// SKYREND_NO_DIALOGS is not 1. Nothing may ever wait for a click in CI.
bool DialogsAllowed();

// A failure message: always on stderr, and in an error dialog with the given
// caption when dialogs are allowed. Parent may be null (no owner).
void ShowFailureMessage(const std::string& Caption, const std::string& Text,
                        SDL_Window* Parent = nullptr);

class TSdlMessages : public IMessageService {
 public:
  TSdlMessages(std::string Caption, SDL_Window* Parent) : caption_(std::move(Caption)), parent_(Parent) {}
  void ShowMessage(const std::string& Text) override;

 private:
  std::string caption_;
  SDL_Window* parent_;
};

// The program's folder as the game means it, where its data lies (see
// DataFolder.h), without a trailing separator ("." when SDL cannot tell).
std::string ProgramFolder();

// Where the player's settings and scores are kept: the XDG folders, or SDL's
// preference folder where there is no home.
TPlayerPaths SdlPlayerPaths();
