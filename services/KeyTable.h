// The keys as the game knows them, one table for every shell: each key's
// Windows virtual-key code (what the key assignment table and HandleKey are
// indexed by), its DOM `code` in the browser (the physical key, so the
// layout does not move it) and its SDL key name on the desktop, and whether
// the page takes it from the browser. Letters 65-90, digits 48-57, arrows
// 37-40, Escape 27, Space 32, Return 13, F1-F12 112-123, keypad digits
// 96-105, plus the usual editing and modifier keys.
#pragma once
#include <cstdint>

enum class TKeyUse : uint8_t {
  Game,     // the game's own keys: the page takes them from the browser
  Browser,  // known to the game, but the page leaves them to the browser (F1-F12, Tab...)
  System,   // the window system's (Alt, F10): they never reach the game
};

struct TKeyRow {
  uint16_t Vk;          // 0 for a key the game has no code for
  const char* Dom;      // KeyboardEvent.code
  const char* SdlName;  // SDL_GetKeyName
  TKeyUse Use;
};

// Every row.
struct TKeyRows {
  const TKeyRow* First;
  unsigned Count;
  const TKeyRow* begin() const { return First; }
  const TKeyRow* end() const { return First + Count; }
};
TKeyRows KeyRows();

// The row of a key by its DOM code or its SDL key name; null for a key not in
// the table (or a null name).
const TKeyRow* KeyRowByDom(const char* Code);
const TKeyRow* KeyRowBySdlName(const char* Name);

// Keys the system keeps for itself: anything pressed with Alt, Alt itself and F10.
bool IsSystemKey(const TKeyRow* Row, bool AltHeld);

// The virtual-key code of a DOM key code, or 0 for a key the game has no code for.
uint16_t VirtualKeyFromDomCode(const char* Code);

// The virtual-key code of a key press the game takes from the browser, or 0
// for one the browser keeps: anything with Ctrl, Alt or Meta held (the
// browser's shortcuts), the system keys, and every key the game has no use
// for (F1-F12, Tab, Backspace...).
uint16_t GameKeyFromDom(const char* Code, bool Ctrl, bool Alt, bool Meta);
