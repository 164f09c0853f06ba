#include "HeadlessHost.h"

#include <GL/gl.h>

THostPlatform THeadlessHost::Platform(int Width, int Height, const std::string& ProgramFolder) {
  THostPlatform P;
  P.WallClock = &Wall;
  P.Sound = &Sound;
  P.Messages = &Messages;
  P.Cursor = &Cursor;
  P.Shell = this;
  P.ProgramFolder = ProgramFolder;
  P.Width = Width;
  P.Height = Height;
  P.EscapeQuits = false;  // nobody is there to quit; a script runs its frames
  return P;
}

THeadlessHost::THeadlessHost(int Width, int Height, const std::string& ProgramFolder)
    : Game(Platform(Width, Height, ProgramFolder)), Form(Game.Form()) {
  Form.ViewWidth = Width;
  Form.ViewHeight = Height;
  Sound.Events.clear();  // FormCreate's belong to no frame
  hides_ = Game.CursorHides();
  player_ = Form.Player.get();
}

THeadlessHost::THeadlessHost(int Width, int Height, const std::string& ProgramFolder,
                             std::vector<TScriptEvent> Events, uint32_t MsPerFrame)
    : THeadlessHost(Width, Height, ProgramFolder) {
  Game.Replay(std::move(Events), MsPerFrame);
}

void THeadlessHost::Present() { glFinish(); }

bool THeadlessHost::Step() {
  // The frame's sounds: those of the input given since the last frame, then its own.
  Sound.Events.erase(Sound.Events.begin(), Sound.Events.begin() + long(lastFrameSounds_));
  ++frame_;
  const bool Running = Game.Frame() != TFrameResult::Terminate;
  // Every new game hides the cursor and makes a new player.
  if (Game.CursorHides() != hides_ || Form.Player.get() != player_) newWorld_ = true;
  hides_ = Game.CursorHides();
  player_ = Form.Player.get();
  lastFrameSounds_ = Sound.Events.size();
  return Running;
}

bool THeadlessHost::StartUp() {
  if (Form.StartupPending) Step();
  return !Form.TerminateRequested;
}

const std::string& THeadlessHost::TraceLine() {
  const std::string& Line = trace_.FormatFrame(frame_, Form, Sound.Events.data(), Sound.Events.size(), newWorld_);
  newWorld_ = false;
  return Line;
}

std::string DefaultProgramFolder() {
#ifdef SKYREND_PROGRAM_DIR
  return SKYREND_PROGRAM_DIR;
#else
  return ".";
#endif
}
