// Browser keys as the game knows them: Windows virtual-key codes (0..255),
// from the physical key's DOM code ("KeyZ", "ArrowLeft", "Numpad4", ...), so
// the layout does not move the keys, as with SDL's key codes natively.
#pragma once
#include <cstdint>

// The virtual-key code of a DOM key code, or 0 for a key the game has no code for.
// Letters 65-90, digits 48-57, arrows 37-40, Escape 27, Space 32, Enter 13,
// F1-F12 112-123, keypad digits 96-105, plus the usual editing and modifier keys.
uint16_t VirtualKeyFromDomCode(const char* Code);

// Keys the system keeps for itself (anything pressed with Alt, Alt itself,
// and F10): they never reach the game, as in the window.
bool IsSystemDomKey(const char* Code, bool AltHeld);

// The virtual-key code of a key press the game takes from the browser, or 0
// for one the browser keeps: anything with Ctrl, Alt or Meta held (the
// browser's shortcuts), the system keys, and every key the game has no use
// for (F5, F11, F12, Tab, Backspace...). The game's keys are the letters,
// digits, keypad, arrows, Space, Enter, Escape and F1 to F4.
uint16_t GameKeyFromDom(const char* Code, bool Ctrl, bool Alt, bool Meta);
