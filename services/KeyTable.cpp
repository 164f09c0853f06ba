#include "KeyTable.h"

#include <cstring>

namespace {

constexpr TKeyUse Game = TKeyUse::Game, Browser = TKeyUse::Browser, System = TKeyUse::System;

constexpr TKeyRow Keys[] = {
    {65, "KeyA", "A", Game}, {66, "KeyB", "B", Game}, {67, "KeyC", "C", Game}, {68, "KeyD", "D", Game},
    {69, "KeyE", "E", Game}, {70, "KeyF", "F", Game}, {71, "KeyG", "G", Game}, {72, "KeyH", "H", Game},
    {73, "KeyI", "I", Game}, {74, "KeyJ", "J", Game}, {75, "KeyK", "K", Game}, {76, "KeyL", "L", Game},
    {77, "KeyM", "M", Game}, {78, "KeyN", "N", Game}, {79, "KeyO", "O", Game}, {80, "KeyP", "P", Game},
    {81, "KeyQ", "Q", Game}, {82, "KeyR", "R", Game}, {83, "KeyS", "S", Game}, {84, "KeyT", "T", Game},
    {85, "KeyU", "U", Game}, {86, "KeyV", "V", Game}, {87, "KeyW", "W", Game}, {88, "KeyX", "X", Game},
    {89, "KeyY", "Y", Game}, {90, "KeyZ", "Z", Game}, {48, "Digit0", "0", Game}, {49, "Digit1", "1", Game},
    {50, "Digit2", "2", Game}, {51, "Digit3", "3", Game}, {52, "Digit4", "4", Game}, {53, "Digit5", "5", Game},
    {54, "Digit6", "6", Game}, {55, "Digit7", "7", Game}, {56, "Digit8", "8", Game}, {57, "Digit9", "9", Game},
    {96, "Numpad0", "Keypad 0", Game}, {97, "Numpad1", "Keypad 1", Game}, {98, "Numpad2", "Keypad 2", Game},
    {99, "Numpad3", "Keypad 3", Game}, {100, "Numpad4", "Keypad 4", Game}, {101, "Numpad5", "Keypad 5", Game},
    {102, "Numpad6", "Keypad 6", Game}, {103, "Numpad7", "Keypad 7", Game}, {104, "Numpad8", "Keypad 8", Game},
    {105, "Numpad9", "Keypad 9", Game}, {106, "NumpadMultiply", "Keypad *", Game},
    {107, "NumpadAdd", "Keypad +", Game}, {109, "NumpadSubtract", "Keypad -", Game},
    {110, "NumpadDecimal", "Keypad .", Game}, {111, "NumpadDivide", "Keypad /", Game},
    {13, "NumpadEnter", "Keypad Enter", Game}, {37, "ArrowLeft", "Left", Game}, {38, "ArrowUp", "Up", Game},
    {39, "ArrowRight", "Right", Game}, {40, "ArrowDown", "Down", Game}, {32, "Space", "Space", Game},
    {13, "Enter", "Return", Game}, {27, "Escape", "Escape", Game}, {112, "F1", "F1", Browser},
    {113, "F2", "F2", Browser}, {114, "F3", "F3", Browser}, {115, "F4", "F4", Browser}, {116, "F5", "F5", Browser},
    {117, "F6", "F6", Browser}, {118, "F7", "F7", Browser}, {119, "F8", "F8", Browser},
    {120, "F9", "F9", Browser}, {121, "F10", "F10", System}, {122, "F11", "F11", Browser},
    {123, "F12", "F12", Browser}, {8, "Backspace", "Backspace", Browser}, {9, "Tab", "Tab", Browser},
    {16, "ShiftLeft", "Left Shift", Browser}, {16, "ShiftRight", "Right Shift", Browser},
    {17, "ControlLeft", "Left Ctrl", Browser}, {17, "ControlRight", "Right Ctrl", Browser},
    {19, "Pause", "Pause", Browser}, {20, "CapsLock", "CapsLock", Browser}, {33, "PageUp", "PageUp", Browser},
    {34, "PageDown", "PageDown", Browser}, {35, "End", "End", Browser}, {36, "Home", "Home", Browser},
    {44, "PrintScreen", "PrintScreen", Browser}, {45, "Insert", "Insert", Browser},
    {46, "Delete", "Delete", Browser}, {144, "NumLock", "Numlock", Browser},
    {145, "ScrollLock", "ScrollLock", Browser}, {0, "AltLeft", "Left Alt", System},
    {0, "AltRight", "Right Alt", System},
};

template <typename TName>
const TKeyRow* Find(const char* Name, TName RowName) {
  if (!Name) return nullptr;
  for (const TKeyRow& Row : Keys)
    if (std::strcmp(RowName(Row), Name) == 0) return &Row;
  return nullptr;
}

}  // namespace

TKeyRows KeyRows() { return {Keys, unsigned(sizeof Keys / sizeof Keys[0])}; }

const TKeyRow* KeyRowByDom(const char* Code) {
  return Find(Code, [](const TKeyRow& Row) { return Row.Dom; });
}

const TKeyRow* KeyRowBySdlName(const char* Name) {
  return Find(Name, [](const TKeyRow& Row) { return Row.SdlName; });
}

bool IsSystemKey(const TKeyRow* Row, bool AltHeld) { return AltHeld || (Row && Row->Use == TKeyUse::System); }

uint16_t VirtualKeyFromDomCode(const char* Code) {
  const TKeyRow* Row = KeyRowByDom(Code);
  return Row ? Row->Vk : 0;
}

uint16_t GameKeyFromDom(const char* Code, bool Ctrl, bool Alt, bool Meta) {
  const TKeyRow* Row = KeyRowByDom(Code);
  if (Ctrl || Meta || IsSystemKey(Row, Alt) || !Row || Row->Use != TKeyUse::Game) return 0;
  return Row->Vk;
}
