// What the host asks of the window around frames and pauses, and the switch
// between window and full screen.
#include <cstdio>

#include "SdlServices.h"
#include "SdlShell.h"
#include "SdlSound.h"
#include "WindowMode.h"

void TSdlShell::Present() {
  TakePictureIfAsked();
  SDL_GL_SwapWindow(window_);
}

void TSdlShell::PauseChanged(bool Paused) {
  if (Paused) {
    sound_->PauseAll();
    SDL_SetWindowTitle(window_, PausedTitle);
    pausedDirty_ = true;
  } else {
    sound_->ResumeAll();
    SDL_SetWindowTitle(window_, WindowTitle);
  }
}

void TSdlShell::PointerFree(bool Free) {
  // Free, the pointer shows where a click lands; in play, relative mode holds
  // it in the window and hides it, and the game reads only its motion.
  SDL_SetRelativeMouseMode(Free ? SDL_FALSE : SDL_TRUE);
  SDL_ShowCursor(Free ? SDL_ENABLE : SDL_DISABLE);
}

void TSdlShell::DrawPaused() {
  int W = 0, H = 0, Ww = 0, Wh = 0;
  SDL_GL_GetDrawableSize(window_, &W, &H);
  SDL_GetWindowSize(window_, &Ww, &Wh);
  // A high-density display draws more pixels than the window has points.
  host_->DrawPauseScreen(W, H, Ww > 0 && W > Ww ? float(W) / float(Ww) : 1.0f);
  const bool Asked = pictureAsked_;
  TakePictureIfAsked();
  SDL_GL_SwapWindow(window_);
  pausedDirty_ = Asked;  // the picture's notice is drawn next time
  pausedNotice_ = !host_->NoticeText().empty();
}

void TSdlShell::ToggleWindowMode() {
  const bool FullScreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  if (!SetFullScreen(window_, !FullScreen, settings_.WindowWidth, settings_.WindowHeight))
    std::fprintf(stderr, "skyrend: cannot switch to %s: %s\n", FullScreen ? "a window" : "full screen",
                 SDL_GetError());
  ResizeToDrawable();
  SetSwapInterval();  // the display's rate may differ
  pausedDirty_ = true;
  // The mode is the player's choice: kept for the next start.
  TSettings S = host_->Settings();
  S.FullScreen = !FullScreen;
  host_->ChangeSettings(S);
}
