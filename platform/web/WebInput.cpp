#include "WebInput.h"

#include <emscripten/html5.h>

#include <cstring>

#include "PadMapping.h"

void TWebInput::ReleaseAll() {
  for (uint8_t& Key : down_) Key = 0;
}

void TWebInput::Update() {
  states_ = StatesFromKeys(down_, DefaultKeyAssignments());
  // Joystick 1: the first connected pad. Browsers report pads only while the page is shown.
  if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
  const int Count = emscripten_get_num_gamepads();
  for (int i = 0; i < Count; ++i) {
    EmscriptenGamepadEvent Pad;
    if (emscripten_get_gamepad_status(i, &Pad) != EMSCRIPTEN_RESULT_SUCCESS || !Pad.connected) continue;
    bool Pressed[64];
    for (int b = 0; b < Pad.numButtons && b < 64; ++b) Pressed[b] = Pad.digitalButton[b];
    TPadReading Reading;
    Reading.AxisCount = Pad.numAxes;
    Reading.Axes = Pad.axis;
    Reading.ButtonCount = Pad.numButtons < 64 ? Pad.numButtons : 64;
    Reading.Pressed = Pressed;
    Reading.ButtonValues = Pad.analogButton;
    Reading.Standard = std::strcmp(Pad.mapping, "standard") == 0;
    int16_t X, Y;
    uint32_t Buttons;
    ReadPad(Reading, X, Y, Buttons);
    states_ |= StatesFromJoystick(X, Y, Buttons);
    break;
  }
}
