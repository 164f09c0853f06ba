// The player's settings: what the options screen changes, the settings file
// keeps and the command line overrides for one run. Plain values, no I/O.
#pragma once
#include <string>

#include "CommandLine.h"

struct TSettings {
  int Volume = 100;         // 0..100
  bool Muted = false;
  double MouseSpeed = 1.0;  // 0.25..4; 1 is one degree of turn a pixel
  bool InvertMouse = false;
  bool ReduceFlashing = false;
  int Multisampling = MultisamplingAuto;  // MultisamplingAuto, 0 (off), 2, 4 or 8
  bool Vsync = true;
  bool FullScreen = true;
  int WindowWidth = 1024, WindowHeight = 768;  // the window's size when not full screen
  bool ShowFps = false;  // the caption counts the frames of each second
  // The score board: each game that ends with points is sent under
  // PlayerName to Board (an http:// or https:// address) when ShareScores is on.
  bool ShareScores = false;
  std::string PlayerName;  // "" or 1-16 letters, digits, spaces and -_.
  std::string Board;       // "" (none) or http://... / https://...

  bool operator==(const TSettings& O) const {
    return Volume == O.Volume && Muted == O.Muted && MouseSpeed == O.MouseSpeed && InvertMouse == O.InvertMouse &&
           ReduceFlashing == O.ReduceFlashing && Multisampling == O.Multisampling && Vsync == O.Vsync &&
           FullScreen == O.FullScreen && WindowWidth == O.WindowWidth && WindowHeight == O.WindowHeight &&
           ShowFps == O.ShowFps && ShareScores == O.ShareScores && PlayerName == O.PlayerName &&
           Board == O.Board;
  }
  bool operator!=(const TSettings& O) const { return !(*this == O); }
};
