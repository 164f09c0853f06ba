// Plays a script into a form frame by frame: before frame k's FormPaint it
// delivers frame k's events in file order, then sets the frame's clock (the
// frame's "tick" if it has one, else the previous frame's clock plus the step).
#pragma once
#include <cstdint>
#include <vector>

#include "ScriptFormat.h"
#include "ScriptInput.h"

class TFormMain;

class TReplayDriver {
 public:
  // Events in any frame order; events of one frame keep their file order.
  TReplayDriver(std::vector<TScriptEvent> Events, uint32_t MsPerFrame);

  // Call with Frame = 1, 2, 3 ... before each FormPaint. Returns the frame's clock.
  uint32_t BeginFrame(long Frame, TFormMain& Form, TScriptInput& Input, TScriptCursor& Cursor,
                      TFrameClock& Clock);

  // The last frame that has an event (0 for an empty script).
  long LastFrame() const { return events_.empty() ? 0 : events_.back().Frame; }

 private:
  std::vector<TScriptEvent> events_;
  size_t next_ = 0;
  uint32_t msPerFrame_;
  uint32_t tick_ = 0;
};
