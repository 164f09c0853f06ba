// The page's touch controls (skyrend-page.js keeps them in window.SkyrendTouch)
// as joystick 1, read at each step, and their pause button.
#include <emscripten.h>

#include "WebContext.h"
#include "WebShell.h"

namespace {

// The page's touch controls packed into one number, -1 when they are not in use:
// stick X and Y (-127..127) in bytes 0 and 1, fire held in bit 16, the counts
// of fire and pause presses (modulo 128) from bits 17 and 24.
int TouchReading() {
  return EM_ASM_INT({
    var T = window.SkyrendTouch;
    if (!T || !T.Active) return -1;
    return ((T.X + 127) & 255) | (((T.Y + 127) & 255) << 8) | (T.Fire ? 1 << 16 : 0) | ((T.Fires & 127) << 17) |
           ((T.Pauses & 127) << 24);
  });
}

// How far up from the canvas's foot the touch stick (at rest) and the fire
// button reach, in CSS pixels; 0 when the controls are not in use.
double TouchControlsHeight() {
  return EM_ASM_DOUBLE({
    var T = window.SkyrendTouch;
    var Canvas = document.getElementById('canvas');
    if (!T || !T.Active || !Canvas) return 0;
    function TopOf(Id) {
      var Box = document.getElementById(Id);
      var Rect = Box ? Box.getBoundingClientRect() : null;
      return Rect && Rect.height > 0 ? Rect.top : Infinity;
    }
    var Foot = Canvas.getBoundingClientRect().bottom;
    return Math.max(0, Foot - Math.min(Foot, Math.min(TopOf('stick'), TopOf('fire'))));
  });
}

int16_t StickAxis(int Byte) { return int16_t((Byte - 127) * 32767 / 127); }

}  // namespace

const char* TWebShell::PlayingLine() { return TouchReading() >= 0 ? TouchPlayingText : PlayingText; }

const char* TWebShell::PausedLine() { return TouchReading() >= 0 ? TouchPausedText : PausedText; }

void TWebShell::FollowTouchControls() {
  // A little room above them too, so a notice does not touch the button's rim.
  const double Height = TouchControlsHeight();
  host_->SetCoveredBottom(Height > 0 ? int((Height + 8) * CanvasPixelsPerCssPixel()) : 0);
  // A touch screen has no Z or P to press: the title names its own controls.
  host_->SetTitleHint(Height > 0 ? "TAP FIRE TO PLAY    PAUSE BUTTON: OPTIONS" : "P OR ESC: OPTIONS");
  host_->SetTableHint(Height > 0 ? "Tap a game to choose it, tap it again to watch it" : TableHint);
}

void TWebShell::ReadTouch(int16_t& X, int16_t& Y, uint32_t& Buttons) {
  const int Reading = TouchReading();
  if (Reading < 0) return;
  const int Fires = (Reading >> 17) & 127;
  // A press since the last frame fires even when it was let go before this frame.
  const bool Fire = (Reading >> 16 & 1) || Fires != touchFires_;
  touchFires_ = Fires;
  if (X == 0 && Y == 0) {
    X = StickAxis(Reading & 255);
    Y = StickAxis((Reading >> 8) & 255);
  }
  if (Fire) Buttons |= 1;
}

void TWebShell::TouchTap() {
  // The page's last tap on the canvas in CSS pixels, taken once; -1 for none.
  const int Packed = EM_ASM_INT({
    var T = window.SkyrendTouch;
    if (!T || !T.Tap) return -1;
    var P = T.Tap;
    T.Tap = null;
    if (P.X < 0 || P.Y < 0 || P.X > 32767 || P.Y > 32767) return -1;
    return P.X | (P.Y << 16);
  });
  // Paused, the touch controls let taps through to the canvas as clicks.
  if (Packed < 0 || host_->Paused()) return;
  const double Scale = CanvasPixelsPerCssPixel();
  host_->Press(int((Packed & 0xffff) * Scale), int((Packed >> 16) * Scale));
}

void TWebShell::TouchPause() {
  const int Reading = TouchReading();
  if (Reading < 0) return;
  const int Pauses = (Reading >> 24) & 127;
  if (Pauses == touchPauses_) return;
  touchPauses_ = Pauses;
  host_->TogglePause();
}
