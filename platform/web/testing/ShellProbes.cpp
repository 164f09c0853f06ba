// The player's page shell run inside the test module, started as the page
// starts it, with what only the game's state shows: the form's status
// caption (position and heading) and the frames the host has stepped.
#include <emscripten.h>

#include "WebShell.h"
#include "frmMainGL.h"

namespace {

TWebShell* Shell = nullptr;

}  // namespace

// 1 when the shell runs on the page's canvas, 0 after a failure.
extern "C" EMSCRIPTEN_KEEPALIVE int SkyrendStartShell() {
  Shell = StartPageShell();
  return Shell ? 1 : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* SkyrendShellCaption() {
  return Shell && Shell->Host() ? Shell->Host()->Form().Caption.c_str() : "";
}

extern "C" EMSCRIPTEN_KEEPALIVE long SkyrendShellFrame() {
  return Shell && Shell->Host() ? Shell->Host()->FrameNumber() : 0;
}
