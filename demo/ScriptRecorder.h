// Records a played game as a script while handing the same events to the
// form: every input goes through DeliverScriptEvent exactly as a replay will
// deliver it, and each frame writes the clock it ran with. Replaying the
// written script therefore gives the form the very same input.
#pragma once
#include <cstdint>
#include <ostream>

#include "ScriptFormat.h"
#include "ScriptInput.h"

class TFormMain;

class TScriptRecorder {
 public:
  TScriptRecorder(std::ostream& Out, TFormMain& Form, TScriptInput& Input, TScriptCursor& Cursor,
                  TFrameClock& Clock);

  // Input between frames belongs to the frame about to be painted. A key-down
  // of a key already held is an auto-repeat.
  void KeyDown(uint16_t Key);
  void KeyUp(uint16_t Key);
  void MouseMove(int Dx, int Dy, uint32_t Shift);
  void Click();
  // Joystick 1 as it stands now; written only when it changed.
  void Joystick(int16_t X, int16_t Y, uint32_t Buttons);
  // Call right before each FormPaint: writes the frame's tick and sets the form's clock.
  void BeginFrame(uint32_t Tick);

  // The frame the next input belongs to.
  long Frame() const { return frame_; }

 private:
  void Record(TScriptVerb Verb, int64_t A, int64_t B = 0, uint32_t Bits = 0);

  std::ostream& out_;
  TFormMain& form_;
  TScriptInput& input_;
  TScriptCursor& cursor_;
  TFrameClock& clock_;
  long frame_ = 1;
};
