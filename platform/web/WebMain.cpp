// The page's entry points: main() plays the game on the canvas; the page's
// tests call SkyrendRunScript (a scripted game with its trace and pictures)
// and SkyrendBench (frame rates of the busy scene) instead.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <array>
#include <cstdio>
#include <memory>

#include "SoundClips.h"
#include "WebShell.h"

namespace {

TWebShell* Shell = nullptr;

std::array<TClipData, WaveItemCount> Clips() {
  std::array<TClipData, WaveItemCount> C{};
  for (int i = 0; i < WaveItemCount; ++i) C[i] = {GetSoundClip(i).Data, GetSoundClip(i).Size};
  return C;
}

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* E, void*) { return Shell->KeyDown(*E); }
EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* E, void*) { return Shell->KeyUp(*E); }
EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* E, void*) {
  Shell->MouseMove(*E);
  return EM_FALSE;
}
EM_BOOL OnMouseDown(int, const EmscriptenMouseEvent* E, void*) {
  Shell->MouseDown(*E);
  return EM_TRUE;
}
EM_BOOL OnMouseUp(int, const EmscriptenMouseEvent* E, void*) {
  Shell->MouseUp(*E);
  return EM_TRUE;
}
EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
  Shell->LostFocus();
  return EM_FALSE;
}

void DisplayFrame() { Shell->DisplayFrame(emscripten_get_now()); }

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE long SkyrendSoundsStarted() {
  return Shell && Shell->Sound() ? Shell->Sound()->Started() : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* SkyrendCaption() { return Shell ? Shell->Caption() : ""; }

int main() {
  Shell = new TWebShell(Clips());  // lives as long as the page
  if (!Shell->Start()) return 1;
  const char* Window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(Window, nullptr, EM_TRUE, OnKeyDown);
  emscripten_set_keyup_callback(Window, nullptr, EM_TRUE, OnKeyUp);
  emscripten_set_blur_callback(Window, nullptr, EM_TRUE, OnBlur);
  emscripten_set_mousemove_callback("#canvas", nullptr, EM_TRUE, OnMouseMove);
  emscripten_set_mousedown_callback("#canvas", nullptr, EM_TRUE, OnMouseDown);
  emscripten_set_mouseup_callback("#canvas", nullptr, EM_TRUE, OnMouseUp);
  // One call per display frame; the shell decides which of them play.
  emscripten_set_main_loop(DisplayFrame, 0, 0);
  return 0;
}
