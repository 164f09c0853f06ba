#include "KeyCodes.h"

#include "KeyTable.h"

namespace {

// SDL names a key without its keyboard map, so the name finds its row
// whatever the state of SDL's video subsystem.
const TKeyRow* RowOf(SDL_Keycode Key) { return Key == SDLK_UNKNOWN ? nullptr : KeyRowBySdlName(SDL_GetKeyName(Key)); }

}  // namespace

uint16_t VirtualKeyFromSdl(SDL_Keycode Key) {
  const TKeyRow* Row = RowOf(Key);
  return Row ? Row->Vk : 0;
}

bool IsSystemKey(SDL_Keycode Key, uint16_t Modifiers) { return IsSystemKey(RowOf(Key), (Modifiers & KMOD_ALT) != 0); }
