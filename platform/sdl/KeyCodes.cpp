#include "KeyCodes.h"

namespace {

struct TKeyPair {
  SDL_Keycode Sdl;
  uint16_t Vk;
};

// Keys outside the contiguous letter, digit, F-key and keypad-digit ranges.
constexpr TKeyPair OtherKeys[] = {
    {SDLK_BACKSPACE, 8},    {SDLK_TAB, 9},          {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},      {SDLK_RSHIFT, 16},      {SDLK_LCTRL, 17},     {SDLK_RCTRL, 17},
    {SDLK_PAUSE, 19},       {SDLK_CAPSLOCK, 20},    {SDLK_ESCAPE, 27},    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},      {SDLK_PAGEDOWN, 34},    {SDLK_END, 35},       {SDLK_HOME, 36},
    {SDLK_LEFT, 37},        {SDLK_UP, 38},          {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},
    {SDLK_PRINTSCREEN, 44}, {SDLK_INSERT, 45},      {SDLK_DELETE, 46},    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},    {SDLK_KP_MINUS, 109},   {SDLK_KP_PERIOD, 110}, {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},
};

}  // namespace

uint16_t VirtualKeyFromSdl(SDL_Keycode Key) {
  if (Key >= SDLK_a && Key <= SDLK_z) return uint16_t(65 + (Key - SDLK_a));
  if (Key >= SDLK_0 && Key <= SDLK_9) return uint16_t(48 + (Key - SDLK_0));
  if (Key >= SDLK_F1 && Key <= SDLK_F12) return uint16_t(112 + (Key - SDLK_F1));
  // SDL's keypad codes run 1, 2, ..., 9, 0.
  if (Key == SDLK_KP_0) return 96;
  if (Key >= SDLK_KP_1 && Key <= SDLK_KP_9) return uint16_t(97 + (Key - SDLK_KP_1));
  for (const TKeyPair& Pair : OtherKeys)
    if (Pair.Sdl == Key) return Pair.Vk;
  return 0;
}

bool IsSystemKey(SDL_Keycode Key, uint16_t Modifiers) {
  if (Modifiers & KMOD_ALT) return true;
  return Key == SDLK_F10 || Key == SDLK_LALT || Key == SDLK_RALT;
}
