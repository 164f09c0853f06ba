// The input component in the browser: the keys held on the page through the
// assignment table, and joystick 1 from the Gamepad API (the first pad the
// browser reports, read as PadMapping says).
#pragma once
#include <cstdint>

#include "InputMapping.h"
#include "Services.h"

class TWebInput : public IInputDevice {
 public:
  void Update() override;
  TInputStates States() const override { return states_; }

  // Key messages from the page (virtual-key codes).
  void Hold(uint16_t Vk, bool Down) {
    if (Vk > 0 && Vk < 256) down_[Vk] = Down ? 1 : 0;
  }
  // The page lost the focus: nothing stays held.
  void ReleaseAll();

 private:
  uint8_t down_[256] = {};
  TInputStates states_ = 0;
};
