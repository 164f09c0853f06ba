#include "WebInput.h"

#include <emscripten/html5.h>

#include <cmath>

int16_t PadAxisToRaw(double Axis) {
  if (!(Axis == Axis)) return 0;  // NaN from a broken pad
  if (Axis <= -1) return -32768;
  if (Axis >= 1) return 32767;
  return int16_t(std::lround(Axis < 0 ? Axis * 32768 : Axis * 32767));
}

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
    const int16_t X = Pad.numAxes > 0 ? PadAxisToRaw(Pad.axis[0]) : 0;
    const int16_t Y = Pad.numAxes > 1 ? PadAxisToRaw(Pad.axis[1]) : 0;
    uint32_t Buttons = 0;
    for (int b = 0; b < Pad.numButtons && b < 32; ++b)
      if (Pad.digitalButton[b]) Buttons |= uint32_t(1) << b;
    states_ |= StatesFromJoystick(X, Y, Buttons);
    break;
  }
}
