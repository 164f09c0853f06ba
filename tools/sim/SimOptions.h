// skyrend-sim's command line.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// skyrend-sim's command line.
struct TSimOptions {
  long Frames = 600;  // without --frames: a script's last frame, or 600 without one
  bool FramesGiven = false;
  std::string ScriptPath;
  uint32_t MsPerFrame = 16;
  std::string TracePath;  // empty: no trace; "-": standard output
  std::vector<std::pair<long, std::string>> Shots;
  int Width = 1024, Height = 768;
  long BusyFrom = 0;  // 0: never; else the busy scene is restaged before each frame from this one on
  int Scheme = -1;    // -1: the level's; else the colour scheme forced before every frame
  bool SizeGiven = false;  // --size was given: a demo's recorded size does not apply
  // The player's files to read and keep to; none unless named.
  std::string SettingsPath, ScoresPath;
  // Where the run's whole input is written as a script (staging included), which replays the same run.
  std::string RecordPath;
};

// Throws std::invalid_argument with a message naming the bad argument.
TSimOptions ParseSimArguments(const std::vector<std::string>& Args);
extern const char* const SimUsage;
