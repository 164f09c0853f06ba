#include "ScriptInput.h"

#include "frmMainGL.h"

void TScriptInput::Update() {
  states_ = StatesFromKeys(keys_, DefaultKeyAssignments()) | StatesFromJoystick(joyX_, joyY_, joyButtons_);
}

void TScriptCursor::ShowCursor(bool Visible) {
  if (!Visible) ++hides_;
  if (next_) next_->ShowCursor(Visible);
}

void TScriptCursor::SetCursorPos(int X, int Y) {
  pointer_.Set(X, Y);
  if (next_) next_->SetCursorPos(X, Y);
}

void DeliverScriptEvent(const TScriptEvent& Event, TFormMain& Form, TScriptInput& Input, TScriptCursor& Cursor) {
  switch (Event.Verb) {
    case TScriptVerb::Down:
      Form.HandleKey(uint16_t(Event.A));
      Input.Hold(int(Event.A), true);
      break;
    case TScriptVerb::Repeat:
      Form.HandleKey(uint16_t(Event.A));
      break;
    case TScriptVerb::Up:
      Input.Hold(int(Event.A), false);
      break;
    case TScriptVerb::Mouse:
      Cursor.Pointer().Move(int(Event.A), int(Event.B), Event.Bits);  // reaches the form at DeliverFrameMouse
      break;
    case TScriptVerb::Click:
      Form.FormClick();
      break;
    case TScriptVerb::Joy:
      Input.SetJoystick(int16_t(Event.A), int16_t(Event.B), Event.Bits);
      break;
    case TScriptVerb::Size:
      // The mouse wraps at the view's edges: the world sees the view's width.
      Form.Services.ScreenWidth = int(Event.A);
      Form.Services.ScreenHeight = int(Event.B);
      break;
    case TScriptVerb::Tick:
      break;
  }
}

void DeliverFrameMouse(TFormMain& Form, TVirtualPointer& Pointer) {
  uint32_t Buttons = 0;
  if (Pointer.TakeFrameMotion(Buttons)) Form.FormMouseMove(Buttons, Pointer.X(), Pointer.Y());
}
