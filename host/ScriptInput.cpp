#include "ScriptInput.h"


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
