#include "InputStream.h"

TInputStream::TInputStream(TFormMain& Form, TScriptInput& Input, TScriptCursor& Cursor, TFrameClock& Clock)
    : form_(Form), input_(Input), cursor_(Cursor), clock_(Clock) {}

void TInputStream::Record(TScriptVerb Verb, int64_t A, int64_t B, uint32_t Bits) {
  TScriptEvent E;
  E.Frame = frame_;
  E.Verb = Verb;
  E.A = A;
  E.B = B;
  E.Bits = Bits;
  DeliverScriptEvent(E, form_, input_, cursor_);
  if (out_) *out_ << FormatScriptEvent(E) << '\n';
}

void TInputStream::KeyDown(uint16_t Key) {
  if (Key == 0 || Key > 255) return;
  Record(input_.Held(Key) ? TScriptVerb::Repeat : TScriptVerb::Down, Key);
}

void TInputStream::KeyUp(uint16_t Key) {
  if (Key == 0 || Key > 255 || !input_.Held(Key)) return;
  Record(TScriptVerb::Up, Key);
}

void TInputStream::MouseMove(int Dx, int Dy, uint32_t Shift) { Record(TScriptVerb::Mouse, Dx, Dy, Shift); }

void TInputStream::Click() { Record(TScriptVerb::Click, 0); }

void TInputStream::Resize(int Width, int Height) { Record(TScriptVerb::Size, Width, Height); }

void TInputStream::Joystick(int16_t X, int16_t Y, uint32_t Buttons) {
  if (!input_.JoystickIs(X, Y, Buttons)) Record(TScriptVerb::Joy, X, Y, Buttons);
}

void TInputStream::BeginFrame(uint32_t Tick) {
  TScriptEvent E;
  E.Frame = frame_;
  E.Verb = TScriptVerb::Tick;
  E.A = Tick;
  if (out_) *out_ << FormatScriptEvent(E) << '\n';
  DeliverFrameMouse(form_, cursor_.Pointer());
  clock_.BeginFrame(Tick);
  ++frame_;  // input from now on reaches the form before the next frame
}
