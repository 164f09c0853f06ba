// A demo checked with no picture: its input replayed into a world of its own,
// frame by frame, exactly as the game replays it, to see the game it holds.
// No GL anywhere: a demo is checked on a machine without one.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "InputPath.h"
#include "World.h"

// A demo's world on the input path the game replays it on, with no picture.
class TDemoRun {
 public:
  // Throws EScriptError when Text is no demo (no recorded window size), was
  // recorded under other rules, has a bad line, or stages anything (ParseGameDemo).
  TDemoRun(const std::string& Text, const TModelRadii& Radii);
  // The next frame; false after the demo's last.
  bool Step();
  const TWorldState& World() const { return world_->View(); }
  long Frame() const { return frame_; }
  long Frames() const { return input_->ReplayLastFrame(); }

 private:
  TModelRadii radii_;
  std::unique_ptr<TInputPath> input_;
  std::unique_ptr<TWorld> world_;
  long frame_ = 0;
};

struct TDemoCheck {
  bool Refused = false;
  std::string Reason;  // why it was refused
  // The best game's score, and its level (1..10) when it ended or the demo did;
  // a demo that names where its game begins reports that game instead.
  int32_t Score = 0;
  int32_t Level = 1;
  long Frames = 0;     // the frames the demo runs
};

// The models' collision radii read from Folder with no GL; false, with the
// message, when a model cannot be read.
bool ReadModelRadii(const std::string& Folder, TModelRadii& Radii, std::string& Failure);

TDemoCheck CheckDemoText(const std::string& Text, const TModelRadii& Radii);
// The same on a file, refused also when the file cannot be read.
TDemoCheck CheckDemoFile(const std::string& Path, const TModelRadii& Radii);
