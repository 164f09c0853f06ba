// The game form alone on fake services, for checking the game's own rules:
// the test sets the clock, the input states and looks at the sounds. With a
// GL context (TFormOnFakes::WithContext) it draws into a headless pbuffer;
// without one it drives the world rules directly (UpdateWorld, HandleKey,
// PollInput ...) with no models loaded.
#pragma once
#include <memory>
#include <string>

#include "FakeServices.h"
#include "HeadlessContext.h"
#include "WorldUnderTest.h"
#include "frmMainGL.h"

struct TFormOnFakes : TFakeServices {
  explicit TFormOnFakes(const std::string& ProgramFolder = "", int Width = 1024, int Height = 768) {
    const TServices S = Services(ProgramFolder, Width, Height);
    TWorldServices WS;
    WS.Ticks = S.Ticks;
    WS.Sound = S.Sound;
    WS.Cursor = S.Cursor;
    WS.ScreenWidth = Width;
    WS.ScreenHeight = Height;
    auto Made = std::make_unique<TWorldUnderTest>(WS, Input);
    World = Made.get();
    Form = std::make_unique<TFormMain>(S, 0, std::move(Made));
    Form->SetViewSize(Width, Height);
  }
  // A form that draws: the context is made before it and goes after it.
  static std::unique_ptr<TFormOnFakes> WithContext(int Width, int Height, const std::string& ProgramFolder) {
    auto Context = std::make_unique<THeadlessContext>(Width, Height);
    auto F = std::make_unique<TFormOnFakes>(ProgramFolder, Width, Height);
    F->Context = std::move(Context);
    return F;
  }
  ~TFormOnFakes() {
    if (Form) Form->FormDestroy();
    Form.reset();  // its GL objects go while the context is still there
  }

  // Advances the clock by MsPerFrame, then runs one FormPaint with the held
  // input states and presents it. False when start-up failed.
  bool Frame(uint32_t MsPerFrame = 16) {
    Ticks.Now += MsPerFrame;
    TFrameInput In;
    In.States = Input.Held;
    const bool Running = Form->FormPaint(In);
    if (Context) Context->Swap();
    return Running;
  }
  // Runs the start-up frame; false when start-up failed.
  bool StartUp() { return !World->StartupPending || Frame(); }

  // No more aliens or rockets may enter in this level, and the obstacles stand
  // far outside the arena, so a test places exactly the objects it needs.
  void Quiet() {
    for (int32_t& R : World->Released) R = 1000;
    for (auto& O : *World->Obstacles) O->Position = MakeVector(100000, 0, 100000);
  }

  // Puts an object into play at (X, Z) with the given radius and state.
  static TBlob& Place(TBlob& B, float X, float Z, float Radius, uint8_t State = 1) {
    B.SetActive(true);
    B.Position = MakeVector(X, 0, Z);
    B.Radius = Radius;
    B.State = State;
    return B;
  }

  int ActiveCount(const TBlobList& List) const { return TBlob::CountActive(List); }

  std::unique_ptr<THeadlessContext> Context;
  TWorldUnderTest* World = nullptr;  // owned by Form
  std::unique_ptr<TFormMain> Form;
};

// The world rules' tests call it by what it holds.
using TWorldForm = TFormOnFakes;
