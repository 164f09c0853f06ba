#include "HeadlessHost.h"

#include <GL/gl.h>

#include "InputStream.h"
#include "Picture.h"
#include "WorldState.h"
#include "PlayerFiles.h"

THostPlatform THeadlessHost::Platform(int Width, int Height, const std::string& ProgramFolder,
                                      const THeadlessPlayer& Player) {
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
  P.Settings = Player.Settings;
  P.Scores = Player.Scores;
  P.Store = Player.Store;
  P.RecordGames = Player.RecordGames;
  if (Player.Store) P.Today = LocalDate;
  return P;
}

THeadlessHost::THeadlessHost(int Width, int Height, const std::string& ProgramFolder, const THeadlessPlayer& Player)
    : Game(Platform(Width, Height, ProgramFolder, Player)) {
  Game.Picture().SetViewSize(Width, Height);
  Sound.Events.clear();  // FormCreate's belong to no frame
  hides_ = Game.CursorHides();
  player_ = World().Player.get();
}

THeadlessHost::THeadlessHost(int Width, int Height, const std::string& ProgramFolder,
                             std::vector<TScriptEvent> Events, uint32_t MsPerFrame, const THeadlessPlayer& Player)
    : THeadlessHost(Width, Height, ProgramFolder, Player) {
  Game.Replay(std::move(Events), MsPerFrame);
}

void THeadlessHost::Present() { glFinish(); }

void THeadlessHost::Stage(TStaging What, int32_t Value) { Game.Stream().Stage(What, Value); }

bool THeadlessHost::Step() {
  // The frame's sounds: those of the input given since the last frame, then its own.
  Sound.Events.erase(Sound.Events.begin(), Sound.Events.begin() + long(lastFrameSounds_));
  ++frame_;
  running_ = Game.Frame() != TFrameResult::Terminate;
  // Every new game hides the cursor and makes a new player.
  if (Game.CursorHides() != hides_ || World().Player.get() != player_) newWorld_ = true;
  hides_ = Game.CursorHides();
  player_ = World().Player.get();
  lastFrameSounds_ = Sound.Events.size();
  return running_;
}

bool THeadlessHost::StartUp() {
  if (World().StartupPending) Step();
  return running_;
}

const std::string& THeadlessHost::TraceLine() {
  const std::string& Line = trace_.FormatFrame(frame_, World(), Sound.Events.data(), Sound.Events.size(), newWorld_);
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
