// A Gamepad API pad as the pad state of the one pad rule (services/PadRule.h):
// in the browser's "standard" mapping the layout is known (the left stick on
// axes 0 and 1, the d-pad on buttons 12 to 15, the south face button 0, the
// right trigger button 7); any other pad gives its first two axes and its
// buttons by number.
#pragma once
#include <cstdint>

#include "PadRule.h"

struct TPadReading {
  int AxisCount = 0;
  const double* Axes = nullptr;       // -1..1
  int ButtonCount = 0;
  const bool* Pressed = nullptr;
  const double* ButtonValues = nullptr;  // 0..1 (triggers are analog)
  bool Standard = false;              // the browser's "standard" mapping
};

TPadState PadStateFromReading(const TPadReading& Pad);
