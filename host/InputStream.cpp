#include "InputStream.h"

#include <algorithm>

#include "GameRecording.h"

namespace {

// Far more messages than a frame gets from a keyboard: kept without allocating.
constexpr size_t MessagesReserved = 1024;

}  // namespace

TInputStream::TInputStream(TScriptInput& Input, TScriptCursor& Cursor, TFrameClock& Clock, int Width, int Height)
    : input_(Input), cursor_(Cursor), clock_(Clock), width_(Width), height_(Height) {
  pending_.reserve(MessagesReserved);
  current_.reserve(MessagesReserved);
}

void TInputStream::Keep(TWorldMessage::TKind Kind, int64_t A, int64_t B) {
  TWorldMessage M;
  M.Kind = Kind;
  M.A = int32_t(A);
  M.B = int32_t(B);
  pending_.push_back(M);
}

void TInputStream::Deliver(const TScriptEvent& E) {
  switch (E.Verb) {
    case TScriptVerb::Down:
      Keep(TWorldMessage::Key, E.A);
      input_.Hold(int(E.A), true);
      break;
    case TScriptVerb::Repeat:
      Keep(TWorldMessage::Key, E.A);
      break;
    case TScriptVerb::Up:
      input_.Hold(int(E.A), false);
      break;
    case TScriptVerb::Mouse:
      cursor_.Pointer().Move(int(E.A), int(E.B), E.Bits);  // the world sees the frame's motion at BeginFrame
      break;
    case TScriptVerb::Click:
      Keep(TWorldMessage::Click, 0);
      break;
    case TScriptVerb::Joy:
      input_.SetJoystick(int16_t(E.A), int16_t(E.B), E.Bits);
      break;
    case TScriptVerb::Size:
      width_ = int(E.A);
      height_ = int(E.B);
      Keep(TWorldMessage::Size, E.A, E.B);
      break;
    case TScriptVerb::Stage:
      Keep(TWorldMessage::Stage, E.A, E.B);
      break;
    case TScriptVerb::Tick:
      return;
  }
  if (!out_ && !memory_) return;
  TScriptEvent Written = E;
  Written.Frame = frame_;
  Write(Written);
}

void TInputStream::Write(const TScriptEvent& E) {
  char Line[MaxScriptEventBytes];
  const size_t N = std::min(FormatScriptEvent(E, Line, sizeof Line), sizeof Line - 1);
  Line[N] = '\n';
  if (out_) out_->write(Line, std::streamsize(N + 1));
  if (memory_) memory_->Append(Line, N + 1);
}

void TInputStream::Record(TScriptVerb Verb, int64_t A, int64_t B, uint32_t Bits) {
  TScriptEvent E;
  E.Verb = Verb;
  E.A = A;
  E.B = B;
  E.Bits = Bits;
  Deliver(E);
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

void TInputStream::Stage(TStaging What, int32_t Value) { Record(TScriptVerb::Stage, int64_t(What), Value); }

const TFrameInput& TInputStream::BeginFrame(uint32_t Tick) {
  if (out_ || memory_) {
    TScriptEvent E;
    E.Frame = frame_;
    E.Verb = TScriptVerb::Tick;
    E.A = Tick;
    Write(E);
  }
  current_.swap(pending_);
  pending_.clear();
  TFrameInput& In = frameInput_;
  In.Messages = current_.data();
  In.MessageCount = current_.size();
  input_.Update();
  In.States = input_.States();
  uint32_t Buttons = 0;
  TVirtualPointer& Pointer = cursor_.Pointer();
  In.MouseMoved = Pointer.TakeFrameMotion(Buttons);
  In.MouseX = Pointer.X();
  In.MouseY = Pointer.Y();
  In.MouseButtons = Buttons;
  clock_.BeginFrame(Tick);
  ++frame_;  // input from now on reaches the world at the next frame
  return In;
}
