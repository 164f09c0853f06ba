// The real TFormMain on the headless host, driven by a script: frame k is the
// k-th FormPaint (frame 1 is start-up), each preceded by its script events and
// its clock. Shared by skyrend-sim, the benchmark and the tests.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "HeadlessHost.h"
#include "ReplayDriver.h"
#include "ScriptInput.h"
#include "TraceWriter.h"

class TSimulator {
 public:
  TSimulator(int Width, int Height, const std::string& ProgramFolder, std::vector<TScriptEvent> Events,
             uint32_t MsPerFrame = 16);

  // Runs the next frame with its script events and clock. False when the game
  // asked to end (start-up failed; its message is in Host.Messages).
  bool Step();
  // The same in two halves, for a caller that gives the input itself (a
  // recorder): BeginInput starts collecting the next frame's sounds, then the
  // caller delivers input and sets the clock, then Paint runs FormPaint.
  void BeginInput() { Host.Sound.Events.clear(); }
  bool Paint();
  // The trace line of the frame Step just ran.
  const std::string& TraceLine();
  // The sound operations of the frame Step just ran.
  const std::vector<TSoundEvent>& Sounds() const { return Host.Sound.Events; }
  long Frame() const { return frame_; }

  THeadlessHost Host;
  TFrameClock Clock;
  TScriptInput Input;
  TScriptCursor Cursor;
  TReplayDriver Driver;
  TTraceWriter Trace;

 private:
  long frame_ = 0;
  bool newWorld_ = true;
  long hides_ = 0;
  const TBlob* player_ = nullptr;
};

// skyrend-sim's command line.
struct TSimOptions {
  long Frames = 600;
  std::string ScriptPath;
  uint32_t MsPerFrame = 16;
  std::string TracePath;  // empty: no trace; "-": standard output
  std::vector<std::pair<long, std::string>> Shots;
  int Width = 1024, Height = 768;
  long BusyFrom = 0;  // 0: never; else the busy scene is restaged before each frame from this one on
  int Scheme = -1;    // -1: the level's; else the colour scheme forced before every frame
  bool SizeGiven = false;  // --size was given: a demo's recorded size does not apply
};

// Throws std::invalid_argument with a message naming the bad argument.
TSimOptions ParseSimArguments(const std::vector<std::string>& Args);
extern const char* const SimUsage;

// The folder of the running executable, where the game's model files lie.
std::string ProgramFolderOf(const char* Argv0);
