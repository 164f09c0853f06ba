// Joystick 1 in the browser: the first pad the Gamepad API reports, read as
// PadMapping says and turned into joystick 1 by the one pad rule
// (services/PadRule.h). Browsers report pads only while the page is shown.
#pragma once
#include <cstdint>

// The pad's axes and buttons as joystick 1's; all zero when there is no pad.
void ReadFirstPad(int16_t& X, int16_t& Y, uint32_t& Buttons);

// Rumbles the first pad for Ms milliseconds at Strength 0..100 where the
// browser offers its vibration (vibrationActuator); nothing elsewhere.
void RumbleFirstPad(int Strength, int Ms);
