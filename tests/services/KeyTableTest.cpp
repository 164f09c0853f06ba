// The one key table: the browser's physical keys as virtual-key codes, the
// keys the page takes, and every key named once for each shell. (The SDL
// names are checked against SDL itself in tests/platform/sdl/KeyCodesTest.)
#include "KeyTable.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(KeyTable, PhysicalKeysGetTheirVirtualKeyCodes) {
  const std::pair<const char*, uint16_t> Cases[] = {
      {"KeyZ", 90},      {"KeyA", 65},  {"Digit0", 48}, {"Numpad4", 100},    {"Numpad0", 96}, {"ArrowLeft", 37},
      {"ArrowDown", 40}, {"Space", 32}, {"Escape", 27}, {"NumpadEnter", 13}, {"F1", 112},     {"F12", 123},
  };
  for (const auto& [Code, Vk] : Cases) EXPECT_EQ(VirtualKeyFromDomCode(Code), Vk) << Code;
  // Not keys the game knows: no code, never a neighbour's.
  for (const char* Unknown : {"F13", "F0", "Fx", "Key", "KeyZZ", "Keyz", "Numpad", "", "IntlBackslash"})
    EXPECT_EQ(VirtualKeyFromDomCode(Unknown), 0) << Unknown;
  EXPECT_EQ(VirtualKeyFromDomCode(nullptr), 0);
  EXPECT_TRUE(IsSystemKey(KeyRowByDom("KeyZ"), true));
  EXPECT_TRUE(IsSystemKey(KeyRowByDom("F10"), false));
  EXPECT_TRUE(IsSystemKey(KeyRowByDom("AltLeft"), false));
  EXPECT_FALSE(IsSystemKey(KeyRowByDom("KeyZ"), false));
}

TEST(KeyTable, ThePageTakesOnlyTheGamesKeysAndNoShortcuts) {
  for (const char* Code : {"KeyZ", "KeyP", "Space", "ArrowUp", "Escape", "Enter", "Numpad8", "Digit1"})
    EXPECT_NE(GameKeyFromDom(Code, false, false, false), 0) << Code;
  // The browser's own keys (the game uses no function key: F1 is help, F3 find), and the game's keys with a
  // modifier (Ctrl+R, Ctrl+L, Ctrl+0, Meta+Z...).
  for (const char* Code : {"F1", "F2", "F3", "F4", "F5", "F6", "F9", "F11", "F12", "Tab", "Backspace", "ControlLeft", "ShiftLeft", "PageDown", "F10"})
    EXPECT_EQ(GameKeyFromDom(Code, false, false, false), 0) << Code;
  EXPECT_EQ(GameKeyFromDom("KeyR", true, false, false), 0);
  EXPECT_EQ(GameKeyFromDom("Digit0", true, false, false), 0);
  EXPECT_EQ(GameKeyFromDom("Enter", false, true, false), 0);
  EXPECT_EQ(GameKeyFromDom("KeyZ", false, false, true), 0);
}

// A name given twice would leave the second row unreachable in that shell.
TEST(KeyTable, EveryKeyIsFoundByItsDomCodeAndItsSdlName) {
  for (const TKeyRow& Row : KeyRows()) {
    EXPECT_EQ(KeyRowByDom(Row.Dom), &Row) << Row.Dom;
    EXPECT_EQ(KeyRowBySdlName(Row.SdlName), &Row) << Row.SdlName;
  }
  EXPECT_EQ(KeyRowBySdlName(nullptr), nullptr);
}

}  // namespace
