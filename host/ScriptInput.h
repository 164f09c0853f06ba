// The services a scripted or recorded game runs on: a clock set once per
// frame, the keyboard snapshot and joystick the script holds, and the virtual
// pointer the mouse moves. The simulator and the game's demo modes share them,
// so a recorded game and its replay see exactly the same input.
#pragma once
#include <cstdint>

#include "InputMapping.h"
#include "ScriptFormat.h"
#include "Services.h"

// The frame's clock: BeginFrame sets it, and every read moves it on by 1 ms
// (the frame "takes" as many milliseconds as it reads the clock). The world
// writes its status caption only when the clock moved during the frame, so it
// does so on every frame. Before the first frame the clock starts at 0.
class TFrameClock : public ITickSource {
 public:
  void BeginFrame(uint32_t Tick) { next_ = Tick; }
  uint32_t GetTickCount() override { return next_++; }

 private:
  uint32_t next_ = 0;
};

// The input component fed by script events: held keys through the assignment
// table, plus joystick 1. Like the real one, Update takes the snapshot.
class TScriptInput {
 public:
  void Update();
  TInputStates States() const { return states_; }

  void Hold(int Key, bool Down) {
    if (Key > 0 && Key < 256) keys_[Key] = Down ? 1 : 0;
  }
  bool Held(int Key) const { return Key > 0 && Key < 256 && keys_[Key]; }
  void SetJoystick(int16_t X, int16_t Y, uint32_t Buttons) {
    joyX_ = X;
    joyY_ = Y;
    joyButtons_ = Buttons;
  }
  bool JoystickIs(int16_t X, int16_t Y, uint32_t Buttons) const {
    return joyX_ == X && joyY_ == Y && joyButtons_ == Buttons;
  }

 private:
  uint8_t keys_[256] = {};
  int16_t joyX_ = 0, joyY_ = 0;
  uint32_t joyButtons_ = 0;
  TInputStates states_ = 0;
};

// The cursor: the game's SetCursorPos moves the virtual pointer that mouse
// events accumulate into, as in the game window. Optionally passes both calls
// on to another cursor (the window's, for its visibility).
class TScriptCursor : public ICursorService {
 public:
  TScriptCursor(int Width, int Height, ICursorService* Next = nullptr) : pointer_(Width, Height), next_(Next) {}
  void ShowCursor(bool Visible) override;
  void SetCursorPos(int X, int Y) override;
  TVirtualPointer& Pointer() { return pointer_; }
  // Times the game hid the cursor: each new game does so once.
  long Hides() const { return hides_; }

 private:
  TVirtualPointer pointer_;
  ICursorService* next_;
  long hides_ = 0;
};
