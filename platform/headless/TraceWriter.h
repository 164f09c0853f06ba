// The simulator's trace: one JSON object a frame with the game's state, the
// frame's sound operations and the caption. Floats are written in their
// shortest form that reads back to the same 32-bit value. The line buffer is
// reused, so a steady run does not allocate for its trace.
#pragma once
#include <cstddef>
#include <string>

#include "HeadlessServices.h"

struct TWorldState;

class TTraceWriter {
 public:
  TTraceWriter() { line_.reserve(64 * 1024); }

  // The frame's line (without the line break). World adds the obstacles,
  // teleports and floor tiles: the first line and every new game have them.
  const std::string& FormatFrame(long Frame, const TWorldState& State, const TSoundEvent* Sounds, size_t SoundCount,
                                 bool World);

 private:
  std::string line_;
};

// Appends the shortest text that reads back as the same float (null when not finite).
void AppendFloat(std::string& Out, float Value);
