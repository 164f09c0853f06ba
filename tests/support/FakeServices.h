// Fakes for the game's own tests: input states the test holds, and every
// service at once, made of the headless host's parts, for a form with no host.
#pragma once
#include <string>

#include "HeadlessServices.h"

// The keys and buttons a test holds, as input states; Update counts the polls.
struct TFakeInput {
  void Update() { ++Updates; }
  TInputStates States() const { return Held; }
  void Set(int State, bool Down) {
    if (Down) Held |= InputBit(State);
    else Held &= ~InputBit(State);
  }
  TInputStates Held = 0;
  int Updates = 0;
};

// Every fake at once, and the form's services made of them: the game's own
// tests run the form on these, with no host around it.
struct TFakeServices {
  TServices Services(const std::string& ProgramFolder = "", int Width = 1024, int Height = 768) {
    TServices S;
    S.Ticks = &Ticks;
    S.Sound = &Sound;
    S.Messages = &Messages;
    S.Cursor = &Cursor;
    S.ProgramFolder = ProgramFolder;
    S.ScreenWidth = Width;
    S.ScreenHeight = Height;
    return S;
  }
  TFakeTicks Ticks;
  TFakeInput Input;
  TRecordingSound Sound;
  TCapturingMessages Messages;
  TFakeCursor Cursor;
};
