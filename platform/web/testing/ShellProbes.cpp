// The player's page shell run inside the test module, started as the page
// starts it, with what only the game's state shows: the form's status
// caption (position and heading), the frames the host has stepped and the
// high score; and a game added to the page's kept table as a game's end adds it.
#include <emscripten.h>

#include "WebPlayerStore.h"
#include "WebShell.h"
#include "FrameInput.h"
#include "InputStream.h"
#include "WorldState.h"

namespace {

TWebShell* Shell = nullptr;

}  // namespace

// 1 when the shell runs on the page's canvas, 0 after a failure.
extern "C" EMSCRIPTEN_KEEPALIVE int SkyrendStartShell() {
  Shell = StartPageShell();
  return Shell ? 1 : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* SkyrendShellCaption() {
  return Shell && Shell->Host() ? Shell->Host()->World().Caption.c_str() : "";
}

extern "C" EMSCRIPTEN_KEEPALIVE long SkyrendShellFrame() {
  return Shell && Shell->Host() ? Shell->Host()->FrameNumber() : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE int SkyrendShellHighScore() {
  return Shell && Shell->Host() ? Shell->Host()->World().HighScore : -1;
}

// The player is hit, as an alien's touch would count it: the next frame shows it.
extern "C" EMSCRIPTEN_KEEPALIVE void SkyrendShellHit() {
  if (Shell && Shell->Host()) Shell->Host()->Stream().Stage(TStaging::Hit);
}

// The table's size after the game was merged into the stored table.
extern "C" EMSCRIPTEN_KEEPALIVE int SkyrendStoreAddScore(int Score, int Level) {
  TWebPlayerStore Store;
  return int(Store.AddScore({Score, Level, "2026-12-24"}).size());
}
