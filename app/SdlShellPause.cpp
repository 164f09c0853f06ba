// The shell's pause and its switch between window and full screen.
#include <cstdio>

#include "KeyCodes.h"
#include "SdlServices.h"
#include "SdlShell.h"
#include "WindowMode.h"

namespace {

const char* const PausedTitle = "OpenGL App by Dreskol   [PAUSED]";

bool IsPauseKey(const SDL_KeyboardEvent& Key) {
  return Key.keysym.sym == SDLK_p && !Key.repeat && !(Key.keysym.mod & KMOD_ALT);
}

}  // namespace

void TSdlShell::SetPaused(bool Paused) {
  if (!shell_) return;
  if (Paused) {
    // The pause begins after the next frame, whose picture is kept before it
    // is presented: once presented, a picture cannot be read back everywhere.
    if (!paused_) pausePending_ = true;
    return;
  }
  pausePending_ = false;
  if (!paused_) return;
  paused_ = false;
  ticks_->Resume();
  sound_->ResumeAll();
  SDL_SetRelativeMouseMode(SDL_TRUE);
  // Frames start counting again for the next frames-per-second title.
  shell_->FrameCount = 0;
  SDL_SetWindowTitle(window_, WindowTitle);
}

void TSdlShell::PresentFrame() {
  if (pausePending_) {
    int W = 0, H = 0;
    SDL_GL_GetDrawableSize(window_, &W, &H);
    pauseScreen_.Capture(GL_BACK, W, H);
  }
  SDL_GL_SwapWindow(window_);
}

void TSdlShell::EnterPause() {
  pausePending_ = false;
  paused_ = true;
  ticks_->Pause();
  sound_->PauseAll();
  // The pointer is the player's again while the game waits.
  SDL_SetRelativeMouseMode(SDL_FALSE);
  SDL_SetWindowTitle(window_, PausedTitle);
  pausedDirty_ = true;
}

bool TSdlShell::HandleShellEvent(const SDL_Event& Event) {
  if (Event.type == SDL_KEYDOWN && IsWindowModeKey(Event.key.keysym)) {
    if (!Event.key.repeat) ToggleWindowMode();
    return true;
  }
  if (Event.type == SDL_KEYDOWN && IsPauseKey(Event.key)) {
    SetPaused(!(paused_ || pausePending_));
    return true;
  }
  if (Event.type == SDL_WINDOWEVENT &&
      (Event.window.event == SDL_WINDOWEVENT_FOCUS_LOST || Event.window.event == SDL_WINDOWEVENT_MINIMIZED))
    SetPaused(true);  // and the shell's own handling goes on
  return false;
}

bool TSdlShell::HandlePausedEvent(const SDL_Event& Event, bool& Finished) {
  switch (Event.type) {
    case SDL_KEYDOWN:
      // Only P, the window mode keys and Escape work; no press reaches the game.
      if (Event.key.keysym.sym == SDLK_ESCAPE && !IsSystemKey(Event.key.keysym.sym, Event.key.keysym.mod))
        Finished = true;
      else
        HandleShellEvent(Event);
      return true;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
      return true;
    case SDL_WINDOWEVENT:
      // Releases (key-ups) and window changes go on as usual; the sign is drawn again.
      pausedDirty_ = true;
      return false;
    default:
      if (Event.type == timerEvent_) {
        SDL_SetWindowTitle(window_, PausedTitle);
        return true;
      }
      return false;
  }
}

void TSdlShell::DrawPaused() {
  int W = 0, H = 0;
  SDL_GL_GetDrawableSize(window_, &W, &H);
  pauseScreen_.Draw(W, H);
  SDL_GL_SwapWindow(window_);
  pausedDirty_ = false;
}

void TSdlShell::ToggleWindowMode() {
  const bool FullScreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  if (!SetFullScreen(window_, !FullScreen))
    std::fprintf(stderr, "skyrend: cannot switch to %s: %s\n", FullScreen ? "a window" : "full screen",
                 SDL_GetError());
  ResizeToDrawable();
  SetSwapInterval();  // the display's rate may differ
  pausedDirty_ = true;
}
