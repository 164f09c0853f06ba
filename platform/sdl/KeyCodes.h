// SDL key codes as the game knows them: Windows virtual-key codes (0..255),
// read from the one key table (services/KeyTable.h) by SDL's key name. The
// key table and HandleKey are indexed by these codes.
#pragma once
#include <SDL.h>
#include <cstdint>

// The virtual-key code of an SDL key, or 0 for a key the game has no code for.
uint16_t VirtualKeyFromSdl(SDL_Keycode Key);

// Keys the window system keeps for itself (anything pressed with Alt, Alt
// itself, and F10): they never reach the key table or the game.
bool IsSystemKey(SDL_Keycode Key, uint16_t Modifiers);
