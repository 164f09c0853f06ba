// The page's events as the host's input: keys by their physical place as
// virtual-key codes, mouse motion and clicks under pointer lock, the touch
// controls as joystick 1, and the page going out of the player's reach
// (focus, visibility, pointer lock) as pauses.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "KeyTable.h"
#include "WebContext.h"
#include "WebServices.h"
#include "WebShell.h"

namespace {

TWebShell& Of(void* Shell) { return *static_cast<TWebShell*>(Shell); }

// The game has the keyboard: nothing else on the page (a button, the key
// list) has the focus.
bool GameHasFocus() {
  return EM_ASM_INT({
    var Active = document.activeElement;
    return !Active || Active === document.body || Active.id === 'canvas' ? 1 : 0;
  });
}

}  // namespace

void TWebShell::ListenToPage() {
  const char* Window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(Window, this, EM_TRUE, [](int, const EmscriptenKeyboardEvent* E, void* S) {
    return EM_BOOL(Of(S).KeyDown(*E));
  });
  emscripten_set_keyup_callback(Window, this, EM_TRUE, [](int, const EmscriptenKeyboardEvent* E, void* S) {
    return EM_BOOL(Of(S).KeyUp(*E));
  });
  emscripten_set_blur_callback(Window, this, EM_TRUE, [](int, const EmscriptenFocusEvent* E, void* S) {
    // Only the window's own blur: an element of the page handing the focus to
    // another (the cover's button to the canvas) comes here too, by capture.
    if (std::strcmp(E->nodeName, "#window") == 0) Of(S).LostFocus();
    return EM_BOOL(EM_FALSE);
  });
  emscripten_set_visibilitychange_callback(this, EM_TRUE, [](int, const EmscriptenVisibilityChangeEvent* E, void* S) {
    Of(S).VisibilityChanged(E->hidden);
    return EM_BOOL(EM_FALSE);
  });
  emscripten_set_pointerlockchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_TRUE,
                                            [](int, const EmscriptenPointerlockChangeEvent* E, void* S) {
                                              Of(S).PointerLockChanged(E->isActive);
                                              return EM_BOOL(EM_FALSE);
                                            });
  emscripten_set_mousemove_callback("#canvas", this, EM_TRUE, [](int, const EmscriptenMouseEvent* E, void* S) {
    Of(S).MouseMove(*E);
    return EM_BOOL(EM_FALSE);
  });
  emscripten_set_mousedown_callback("#canvas", this, EM_TRUE, [](int, const EmscriptenMouseEvent* E, void* S) {
    Of(S).MouseDown(*E);
    return EM_BOOL(EM_TRUE);
  });
  emscripten_set_mouseup_callback("#canvas", this, EM_TRUE, [](int, const EmscriptenMouseEvent* E, void* S) {
    Of(S).MouseUp(*E);
    return EM_BOOL(EM_TRUE);
  });
  emscripten_set_click_callback("#cover", this, EM_TRUE, [](int, const EmscriptenMouseEvent*, void* S) {
    Of(S).CoverClicked();
    return EM_BOOL(EM_FALSE);
  });
  // Taking the event (true) is what lets the browser give the context back.
  emscripten_set_webglcontextlost_callback("#canvas", this, EM_TRUE, [](int, const void*, void* S) {
    Of(S).ContextLost();
    return EM_BOOL(EM_TRUE);
  });
  emscripten_set_webglcontextrestored_callback("#canvas", this, EM_TRUE, [](int, const void*, void* S) {
    Of(S).ContextRestored();
    return EM_BOOL(EM_TRUE);
  });
}

bool TWebShell::KeyDown(const EmscriptenKeyboardEvent& Event) {
  if (!running_) return false;
  const uint16_t Vk = GameKeyFromDom(Event.code, Event.ctrlKey, Event.altKey, Event.metaKey);
  if (Vk == 0 || !GameHasFocus()) return false;
  host_->KeyDown(Vk);
  if (host_->Paused()) pausedDirty_ = true;  // the options may have changed
  return true;  // the page must not scroll on arrows and Space
}

bool TWebShell::KeyUp(const EmscriptenKeyboardEvent& Event) {
  if (!running_) return false;
  // A key let go always reaches the game, so none stays held; with a modifier
  // it is a plain key's release all the same.
  const uint16_t Vk = GameKeyFromDom(Event.code, false, false, false);
  if (Vk == 0) return false;
  host_->KeyUp(Vk);
  return GameHasFocus();
}

void TWebShell::MouseMove(const EmscriptenMouseEvent& Event) {
  if (!running_ || !locked_) return;
  host_->MouseMotion(int(Event.movementX), int(Event.movementY), MouseButtons(Event.buttons & 1, Event.buttons & 2));
}

void TWebShell::MouseDown(const EmscriptenMouseEvent& Event) {
  if (!running_) return;
  // While paused the pointer stays free, and a click or a tap (the browser
  // makes a tap a mouse press too) picks and changes the options: the host is
  // told where, in the canvas's pixels.
  if (host_->Paused()) {
    pressTaken_ = Event.button == 0;  // its release is the pause screen's too, even after playing on
    const double Scale = CanvasPixelsPerCssPixel();
    if (host_->Press(int(Event.targetX * Scale), int(Event.targetY * Scale))) pausedDirty_ = true;
    return;
  }
  // A free pointer's click, or a tap, on the title's table chooses a row and
  // watches it; any other click takes the pointer, and later ones play.
  const double Scale = CanvasPixelsPerCssPixel();
  if (!locked_ && host_->Press(int(Event.targetX * Scale), int(Event.targetY * Scale))) {
    pressTaken_ = Event.button == 0;
    return;
  }
  if (!locked_) emscripten_request_pointerlock("#canvas", EM_TRUE);
}

void TWebShell::MouseUp(const EmscriptenMouseEvent& Event) {
  const bool Taken = pressTaken_ && Event.button == 0;
  if (Event.button == 0) pressTaken_ = false;
  if (running_ && locked_ && Event.button == 0 && !Taken) host_->Click();
}

void TWebShell::LostFocus() {
  if (!running_) return;
  host_->ReleaseKeys();  // their key-ups go elsewhere now
  host_->RequestPause();
}

void TWebShell::VisibilityChanged(bool Hidden) {
  if (!running_) return;
  if (!Hidden) {
    pausedDirty_ = true;  // the page is shown anew: the sign is drawn again
    return;
  }
  host_->ReleaseKeys();
  host_->RequestPause();
  // A hidden page gets no display frames: the frame that begins the pause
  // runs now, so the sound stops while the page is away.
  if (host_->Pause().Phase() == TPauseState::TPhase::Capturing) StepFrame();
  if (running_) DrawPausedIfNeeded();
}

void TWebShell::PointerLockChanged(bool Locked) {
  const bool Lost = locked_ && !Locked;
  locked_ = Locked;
  if (Locked) pointerTaken_ = true;
  // Escape under pointer lock is the browser's: the page sees the lock go.
  if (Lost && running_) host_->RequestPause();
}

void TWebShell::CoverClicked() {
  // The player's first click or tap: the browser now lets the sound start.
  if (running_ && !host_->Paused()) sound_->ResumeAll();
}
