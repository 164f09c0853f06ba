#include "WebKeyCodes.h"

#include <cstring>

namespace {

struct TKeyPair {
  const char* Code;
  uint16_t Vk;
};

// Keys outside the letter, digit, F-key and keypad-digit runs.
constexpr TKeyPair OtherKeys[] = {
    {"Backspace", 8},     {"Tab", 9},           {"Enter", 13},         {"NumpadEnter", 13},
    {"ShiftLeft", 16},    {"ShiftRight", 16},   {"ControlLeft", 17},   {"ControlRight", 17},
    {"Pause", 19},        {"CapsLock", 20},     {"Escape", 27},        {"Space", 32},
    {"PageUp", 33},       {"PageDown", 34},     {"End", 35},           {"Home", 36},
    {"ArrowLeft", 37},    {"ArrowUp", 38},      {"ArrowRight", 39},    {"ArrowDown", 40},
    {"PrintScreen", 44},  {"Insert", 45},       {"Delete", 46},        {"NumpadMultiply", 106},
    {"NumpadAdd", 107},   {"NumpadSubtract", 109}, {"NumpadDecimal", 110}, {"NumpadDivide", 111},
    {"NumLock", 144},     {"ScrollLock", 145},
};

bool StartsWith(const char* Text, const char* Prefix, size_t& Rest) {
  const size_t N = std::strlen(Prefix);
  if (std::strncmp(Text, Prefix, N) != 0) return false;
  Rest = N;
  return true;
}

}  // namespace

uint16_t VirtualKeyFromDomCode(const char* Code) {
  if (!Code) return 0;
  size_t At = 0;
  const size_t Length = std::strlen(Code);
  if (StartsWith(Code, "Key", At) && Length == 4 && Code[3] >= 'A' && Code[3] <= 'Z') return uint16_t(Code[3]);
  if (StartsWith(Code, "Digit", At) && Length == 6 && Code[5] >= '0' && Code[5] <= '9') return uint16_t(Code[5]);
  if (StartsWith(Code, "Numpad", At) && Length == 7 && Code[6] >= '0' && Code[6] <= '9')
    return uint16_t(96 + (Code[6] - '0'));
  if (Code[0] == 'F' && (Length == 2 || Length == 3)) {
    int N = 0;
    for (size_t i = 1; i < Length; ++i) {
      if (Code[i] < '0' || Code[i] > '9') return 0;
      N = N * 10 + (Code[i] - '0');
    }
    return N >= 1 && N <= 12 ? uint16_t(111 + N) : 0;
  }
  for (const TKeyPair& Pair : OtherKeys)
    if (std::strcmp(Pair.Code, Code) == 0) return Pair.Vk;
  return 0;
}

bool IsSystemDomKey(const char* Code, bool AltHeld) {
  if (AltHeld) return true;
  return Code && (std::strcmp(Code, "F10") == 0 || std::strcmp(Code, "AltLeft") == 0 ||
                  std::strcmp(Code, "AltRight") == 0);
}

uint16_t GameKeyFromDom(const char* Code, bool Ctrl, bool Alt, bool Meta) {
  if (Ctrl || Alt || Meta || IsSystemDomKey(Code, Alt)) return 0;
  const uint16_t Vk = VirtualKeyFromDomCode(Code);
  const bool Letter = Vk >= 'A' && Vk <= 'Z', Digit = Vk >= '0' && Vk <= '9';
  const bool Keypad = Vk >= 96 && Vk <= 111, Arrow = Vk >= 37 && Vk <= 40, Function = Vk >= 112 && Vk <= 115;
  const bool Other = Vk == 32 || Vk == 13 || Vk == 27;
  return Letter || Digit || Keypad || Arrow || Function || Other ? Vk : 0;
}
