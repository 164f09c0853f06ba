// A game form on fake services with no GL context and no models loaded, for
// driving the world rules directly (UpdateWorld, HandleKey, PollInput ...).
#pragma once
#include <memory>

#include "FakeServices.h"
#include "frmMainGL.h"

struct TWorldForm {
  TWorldForm() {
    TServices S;
    S.Ticks = &Ticks;
    S.Input = &Input;
    S.Sound = &Sound;
    S.Messages = &Messages;
    S.Cursor = &Cursor;
    S.ScreenWidth = 1024;
    S.ScreenHeight = 768;
    Form = std::make_unique<TFormMain>(S);
  }

  // No more aliens or rockets may enter in this level, and the obstacles stand
  // far outside the arena, so a test places exactly the objects it needs.
  void Quiet() {
    for (int32_t& R : Form->Released) R = 1000;
    for (auto& O : *Form->Obstacles) O->Position = MakeVector(100000, 0, 100000);
  }

  // Puts an object into play at (X, Z) with the given radius and state.
  static TBlob& Place(TBlob& B, float X, float Z, float Radius, uint8_t State = 1) {
    B.SetActive(true);
    B.Position = MakeVector(X, 0, Z);
    B.Radius = Radius;
    B.State = State;
    return B;
  }

  int ActiveCount(const TBlobList& List) const {
    int N = 0;
    for (const auto& B : List) N += B->Active ? 1 : 0;
    return N;
  }

  TFakeTicks Ticks;
  TFakeInput Input;
  TRecordingSound Sound;
  TCapturingMessages Messages;
  TFakeCursor Cursor;
  std::unique_ptr<TFormMain> Form;
};
