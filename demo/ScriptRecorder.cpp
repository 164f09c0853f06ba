#include "ScriptRecorder.h"

TScriptRecorder::TScriptRecorder(std::ostream& Out, TFormMain& Form, TScriptInput& Input, TScriptCursor& Cursor,
                                 TFrameClock& Clock)
    : out_(Out), form_(Form), input_(Input), cursor_(Cursor), clock_(Clock) {}

void TScriptRecorder::Record(TScriptVerb Verb, int64_t A, int64_t B, uint32_t Bits) {
  TScriptEvent E;
  E.Frame = frame_;
  E.Verb = Verb;
  E.A = A;
  E.B = B;
  E.Bits = Bits;
  DeliverScriptEvent(E, form_, input_, cursor_);
  out_ << FormatScriptEvent(E) << '\n';
}

void TScriptRecorder::KeyDown(uint16_t Key) {
  if (Key == 0 || Key > 255) return;
  Record(input_.Held(Key) ? TScriptVerb::Repeat : TScriptVerb::Down, Key);
}

void TScriptRecorder::KeyUp(uint16_t Key) {
  if (Key == 0 || Key > 255 || !input_.Held(Key)) return;
  Record(TScriptVerb::Up, Key);
}

void TScriptRecorder::MouseMove(int Dx, int Dy, uint32_t Shift) { Record(TScriptVerb::Mouse, Dx, Dy, Shift); }

void TScriptRecorder::Click() { Record(TScriptVerb::Click, 0); }

void TScriptRecorder::Joystick(int16_t X, int16_t Y, uint32_t Buttons) {
  if (!input_.JoystickIs(X, Y, Buttons)) Record(TScriptVerb::Joy, X, Y, Buttons);
}

void TScriptRecorder::BeginFrame(uint32_t Tick) {
  TScriptEvent E;
  E.Frame = frame_;
  E.Verb = TScriptVerb::Tick;
  E.A = Tick;
  out_ << FormatScriptEvent(E) << '\n';
  DeliverFrameMouse(form_, cursor_.Pointer());
  clock_.BeginFrame(Tick);
  ++frame_;  // input from now on reaches the form before the next frame
}
