// A demo or script as a source of the input stream: before frame k it
// delivers frame k's events in file order, and gives the frame's clock (the
// frame's "tick" if it has one, else the previous frame's clock plus the step).
#pragma once
#include <cstdint>
#include <vector>

#include "InputStream.h"
#include "ScriptFormat.h"

class TReplaySource {
 public:
  // Events in any frame order; events of one frame keep their file order.
  TReplaySource(std::vector<TScriptEvent> Events, uint32_t MsPerFrame);

  // Call with Frame = 1, 2, 3 ... before each frame. Returns the frame's clock.
  uint32_t Feed(long Frame, TInputStream& Stream);

  // The last frame that has an event (0 for an empty script).
  long LastFrame() const { return events_.empty() ? 0 : events_.back().Frame; }

 private:
  std::vector<TScriptEvent> events_;
  size_t next_ = 0;
  uint32_t msPerFrame_;
  uint32_t tick_ = 0;
};
