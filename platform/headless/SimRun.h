// The simulator's frame loop, written once for skyrend-sim and the page's
// test module: the headless host's frames in turn, the busy scene and a
// colour scheme staged before each when asked, each frame's trace line
// written out, and a hook after each frame for its picture.
#pragma once
#include <cstdio>
#include <functional>

#include "HeadlessHost.h"

struct TSimRun {
  long Frames = 0;
  long BusyFrom = 0;  // the busy scene is staged from this frame on (0: never)
  int Scheme = -1;    // the colour scheme staged before every frame (-1: none)
  std::FILE* Trace = nullptr;  // may be null
  const char* Program = "skyrend";  // names the messages on stderr
  // After frame K was stepped and traced (its picture is in the back buffer):
  // false stops the run as failed, having said why.
  std::function<bool(long K)> AfterFrame;
};

// 0 when every frame ran; 1 when the game ended (its messages and the frame
// said on stderr) or AfterFrame failed.
int RunSimFrames(THeadlessHost& Sim, const TSimRun& Run);
