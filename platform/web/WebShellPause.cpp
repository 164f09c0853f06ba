// What the host asks of the page around pauses: hold the sound, free the
// pointer, tell the player, and have the host draw its pause screen; and
// the player's volume and the pad's rumble.
#include <emscripten.h>
#include <emscripten/html5.h>

#include "WebContext.h"
#include "WebGamepad.h"
#include "WebServices.h"
#include "WebShell.h"

void TWebShell::PauseChanged(bool Paused) {
  if (Paused) {
    // A hidden tab goes quiet: the audio context is suspended, the hum included.
    sound_->PauseAll();
    // The pointer is the player's again while the game waits.
    emscripten_exit_pointerlock();
    emscripten_set_window_title(PagePausedTitle);
    ShowPagePaused(true);
    ShowPageStatus(PausedLine());
    pausedDirty_ = true;
  } else {
    sound_->ResumeAll();
    // Called from P's key handler, where the browser lets the page take the pointer.
    if (pointerTaken_ && !locked_) emscripten_request_pointerlock("#canvas", EM_FALSE);
    emscripten_set_window_title(PageTitle);
    ShowPagePaused(false);
    ShowPageStatus(PlayingLine());
  }
}

void TWebShell::PagePause() {
  // The page asks for a pause while something of its own covers the game (the key list).
  const bool Asked = EM_ASM_INT({
    var Asked = window.SkyrendPauseAsked;
    window.SkyrendPauseAsked = false;
    return Asked ? 1 : 0;
  });
  if (Asked && !host_->Paused()) host_->RequestPause();
}

void TWebShell::DrawPausedIfNeeded() {
  // Without a context the sign waits for the picture to come back.
  if (!host_ || !host_->Paused() || !pausedDirty_ || contextLost_) return;
  // Rows a finger can hit and text an eye can read are sized in CSS pixels.
  host_->DrawPauseScreen(width_, height_, float(CanvasPixelsPerCssPixel()));
  pausedDirty_ = false;
}

void TWebShell::ApplySettings(const TSettings& Settings) {
  // A page has no window mode, window size, samples or vsync of its own to change.
  if (sound_) sound_->SetVolume(Settings.Volume, Settings.Muted);
}

void TWebShell::Rumble(int Strength, int Ms) { RumbleFirstPad(Strength, Ms); }
