// The one input stream: every input the form sees, as events of the script's
// kinds, in order. Each event is delivered to the form exactly as a replay
// delivers it (DeliverScriptEvent) and, while recording, written as a script
// line; each frame writes the clock it ran with. Replaying a written script
// therefore gives the form the very same input. Shells reach it through the
// host's live input; the soak feeds it directly.
#pragma once
#include <cstdint>
#include <ostream>

#include "ScriptFormat.h"
#include "ScriptInput.h"

class TFormMain;

class TInputStream {
 public:
  TInputStream(TFormMain& Form, TScriptInput& Input, TScriptCursor& Cursor, TFrameClock& Clock);

  // Where the stream is written from now on; null stops the writing.
  void WriteTo(std::ostream* Out) { out_ = Out; }

  // Input between frames belongs to the frame about to be painted. A key-down
  // of a key already held is an auto-repeat; a key-up of a key not held is nothing.
  void KeyDown(uint16_t Key);
  void KeyUp(uint16_t Key);
  void MouseMove(int Dx, int Dy, uint32_t Shift);
  void Click();
  // The view's new size, where the mouse wraps.
  void Resize(int Width, int Height);
  // Joystick 1 as it stands now; an event only when it changed.
  void Joystick(int16_t X, int16_t Y, uint32_t Buttons);
  // Right before each FormPaint: writes the frame's tick, hands the form the
  // frame's mouse motion and sets the form's clock.
  void BeginFrame(uint32_t Tick);

  // The frame the next input belongs to.
  long Frame() const { return frame_; }
  bool Held(uint16_t Key) const { return input_.Held(Key); }

 private:
  void Record(TScriptVerb Verb, int64_t A, int64_t B = 0, uint32_t Bits = 0);

  std::ostream* out_ = nullptr;
  TFormMain& form_;
  TScriptInput& input_;
  TScriptCursor& cursor_;
  TFrameClock& clock_;
  long frame_ = 1;
};
