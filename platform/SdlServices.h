// The small SDL services: ticks, failure messages, the cursor and the program folder.
#pragma once
#include <SDL.h>

#include <string>

#include "InputMapping.h"
#include "PausableClock.h"
#include "Services.h"

// SDL's milliseconds, standing still while the game is paused.
class TSdlTicks : public ITickSource {
 public:
  uint32_t GetTickCount() override { return clock_.Now(SDL_GetTicks()); }
  void Pause() { clock_.Pause(SDL_GetTicks()); }
  void Resume() { clock_.Resume(SDL_GetTicks()); }

 private:
  TPausableClock clock_;
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

// The cursor: its visibility is SDL's; its position is the virtual pointer the
// mouse moves in relative mode.
class TSdlCursor : public ICursorService {
 public:
  TSdlCursor(int Width, int Height) : pointer_(Width, Height) {}
  void ShowCursor(bool Visible) override;
  void SetCursorPos(int X, int Y) override { pointer_.Set(X, Y); }
  TVirtualPointer& Pointer() { return pointer_; }

 private:
  TVirtualPointer pointer_;
};

// The program's folder as the game means it, where its data lies (see
// DataFolder.h), without a trailing separator ("." when SDL cannot tell).
std::string ProgramFolder();
