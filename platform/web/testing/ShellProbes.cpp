// The player's page shell run inside the test module, started as the page
// starts it, with what only the game's state shows: the form's status
// caption (position and heading), the frames the host has stepped, the high
// score, the player's settings and where the pause screen puts its rows; and a
// game added to the page's kept table as a game's end adds it.
#include <emscripten.h>

#include <string>

#include "PlayerStore.h"
#include "WebStorageBackend.h"
#include "WebShell.h"
#include "FrameInput.h"
#include "InputStream.h"
#include "PauseLayout.h"
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

// "volume=80 muted=0 reduce_flashing=1": the settings the options change.
extern "C" EMSCRIPTEN_KEEPALIVE const char* SkyrendShellSettings() {
  static std::string Text;
  if (!Shell || !Shell->Host()) return "";
  const TSettings& S = Shell->Host()->Settings();
  Text = "volume=" + std::to_string(S.Volume) + " muted=" + std::to_string(int(S.Muted)) +
         " reduce_flashing=" + std::to_string(int(S.ReduceFlashing));
  return Text.c_str();
}

// The centre of a part of the pause screen as it was last drawn, in the
// canvas's pixels from its top left, as X * 65536 + Y: Part 0 is option Row's
// label, 1 and 2 the marks that step its value down and up, 3 the play-on button.
extern "C" EMSCRIPTEN_KEEPALIVE int SkyrendShellPausePoint(int Part, int Row) {
  if (!Shell || !Shell->Host()) return -1;
  const TPauseLayout L = Shell->Host()->PauseLayout();
  const int H = L.Height;
  TBox B = Part == 1 ? L.Less(Row) : Part == 2 ? L.More(Row) : Part == 3 ? L.PlayOn : L.OptionBox(Row);
  if (Part == 0) B.X1 = L.Less(Row).X0;
  return int((B.X0 + B.X1) / 2) * 65536 + (H - 1 - int((B.Y0 + B.Y1) / 2));
}

// A notice at the foot of the picture, as a failed save shows one.
extern "C" EMSCRIPTEN_KEEPALIVE void SkyrendShellNotice(const char* Text) {
  if (Shell && Shell->Host()) Shell->Host()->ShowNotice(Text);
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
