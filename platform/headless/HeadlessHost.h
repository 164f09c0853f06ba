// The one headless host: the game host on fake platform parts (a wall clock
// the caller sets, a sound recorder, a message collector, a cursor), frame by
// frame, with the trace of each frame. The simulator, the benchmark, the soak,
// the tests and the page's test module run the game through it. It draws into
// whatever GL context is current: an EGL pbuffer (THeadlessContext) natively,
// the canvas in the page.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "HeadlessServices.h"
#include "GameHost.h"

class TBlob;
struct TWorldState;
enum class TStaging : int32_t;
#include "TraceWriter.h"

// The player's settings and scores a headless game starts with: none unless
// given, so that a run depends on no player's files.
struct THeadlessPlayer {
  TSettings Settings;
  TScoreTable Scores;
  IPlayerStore* Store = nullptr;
  bool RecordGames = false;  // every game recorded in memory, as the desktop does
};

class THeadlessHost : private IHostShell {
 public:
  // ProgramFolder holds the model files (normally build/bin). Events, when
  // given, replay as a script at MsPerFrame; otherwise the caller feeds the
  // stream and sets the wall clock.
  THeadlessHost(int Width, int Height, const std::string& ProgramFolder, const THeadlessPlayer& Player = {});
  THeadlessHost(int Width, int Height, const std::string& ProgramFolder, std::vector<TScriptEvent> Events,
                uint32_t MsPerFrame = 16, const THeadlessPlayer& Player = {});

  // Runs the next frame (frame 1 is start-up). False when the game asked to
  // end (start-up failed; its message is in Messages).
  bool Step();
  // Runs frames until the start-up frame is done; false when start-up failed.
  bool StartUp();
  // Something a tool stages in the world at the next frame, through the input stream.
  void Stage(TStaging What, int32_t Value = 0);
  // The trace line of the frame Step just ran.
  const std::string& TraceLine();
  // The sound operations of the frame Step just ran, with those of the input
  // given to it before it ran.
  const std::vector<TSoundEvent>& Sounds() const { return Sound.Events; }
  long Frame() const { return frame_; }

  TFakeTicks Wall;  // the wall clock the game's clock is made from
  TRecordingSound Sound;
  TCapturingMessages Messages;
  TFakeCursor Cursor;
  long Rumbles = 0;     // rumbles the game asked for (counted: a frame allocates nothing)
  TRumble LastRumble;
  TGameHost Game;
  const TWorldState& World() const { return Game.World(); }

 private:
  void Present() override;
  void PauseChanged(bool) override {}
  void Rumble(int Strength, int Ms) override {
    ++Rumbles;
    LastRumble = {Strength, Ms};
  }
  THostPlatform Platform(int Width, int Height, const std::string& ProgramFolder, const THeadlessPlayer& Player);

  TTraceWriter trace_;
  long frame_ = 0;
  size_t lastFrameSounds_ = 0;  // sounds up to the end of the last frame
  bool newWorld_ = true;
  bool running_ = true;  // start-up has not failed
  long hides_ = 0;
  const TBlob* player_ = nullptr;
};

// The folder of the built executables and data files.
std::string DefaultProgramFolder();
