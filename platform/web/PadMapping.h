// A Gamepad API pad as joystick 1: a pad in the browser's standard layout
// steers with its left stick or d-pad and fires with its south face button or
// right trigger, as a game controller does natively; any other pad reports
// its first two axes and its buttons as they are.
#pragma once
#include <cstdint>

struct TPadReading {
  int AxisCount = 0;
  const double* Axes = nullptr;       // -1..1
  int ButtonCount = 0;
  const bool* Pressed = nullptr;
  const double* ButtonValues = nullptr;  // 0..1 (triggers are analog)
  bool Standard = false;              // the browser's "standard" mapping
};

// A Gamepad API axis (-1..1) on the native joystick's scale (-32768..32767).
int16_t PadAxisToRaw(double Axis);

// The pad as joystick 1's axes and buttons (bit n - 1 for button n).
void ReadPad(const TPadReading& Pad, int16_t& X, int16_t& Y, uint32_t& Buttons);
