// The player's page shell run inside the test module, started as the page
// starts it, with what only the game's state shows: the form's status
// caption (position and heading), the frames the host has stepped and the
// high score; and a game added to the page's kept table as a game's end adds it.
#include <emscripten.h>

#include "PlayerStore.h"
#include "WebStorageBackend.h"
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

// A game merged into the page's kept table as a game's end merges it, by a
// store of its own (a tab of its own). The outcome is pushed onto
// Module.StoreSaves once the lock was had: "saved N" (the table's size) or
// the reason it was not saved.
extern "C" EMSCRIPTEN_KEEPALIVE void SkyrendStoreAddScore(int Score, int Level) {
  static TPlayerStore Store(std::make_unique<TWebStorageBackend>());
  Store.AddScore({Score, Level, "2026-12-24"}, [](const TScoreSave& Save) {
    const std::string Outcome = Save.Saved ? "saved " + std::to_string(Save.Table.size()) : Save.Problem;
    EM_ASM({ (Module.StoreSaves = Module.StoreSaves || []).push(UTF8ToString($0)); }, Outcome.c_str());
  });
}
