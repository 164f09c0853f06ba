#include "WebGamepad.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "PadMapping.h"

void ReadFirstPad(int16_t& X, int16_t& Y, uint32_t& Buttons) {
  X = Y = 0;
  Buttons = 0;
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
    PadAsJoystick(PadStateFromReading(Reading), X, Y, Buttons);
    return;
  }
}

void RumbleFirstPad(int Strength, int Ms) {
  EM_ASM(
      {
        var Pads = navigator.getGamepads ? navigator.getGamepads() : [];
        for (var i = 0; i < Pads.length; ++i) {
          var Pad = Pads[i];
          if (!Pad || !Pad.connected) continue;
          var Actuator = Pad.vibrationActuator;
          if (Actuator && Actuator.playEffect) {
            Actuator.playEffect('dual-rumble', {duration : $1, strongMagnitude : $0 / 100, weakMagnitude : $0 / 100})
                .catch(function() {});
          }
          return;
        }
      },
      Strength, Ms);
}
