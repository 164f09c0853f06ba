#include "SoakInput.h"

namespace {

// Keys the game acts on: fire (Z, Space), turn and speed (arrows, H L K J,
// keypad 4 6 8 2), shading (F) and radar (N, B).
const uint16_t GameKeys[] = {90, 32, 37, 39, 38, 40, 72, 76, 75, 74, 100, 102, 104, 98, 70, 78, 66};
constexpr int GameKeyCount = int(sizeof GameKeys / sizeof GameKeys[0]);
constexpr uint16_t KeyZ = 90;

}  // namespace

uint64_t TSoakInput::Next() {
  // splitmix64: the same sequence for a seed on every platform.
  uint64_t Z = (state_ += 0x9E3779B97F4A7C15ull);
  Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
  Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
  return Z ^ (Z >> 31);
}

void TSoakInput::Toggle(uint16_t Key) {
  if (held_[Key]) recorder_.KeyUp(Key);
  else recorder_.KeyDown(Key);
  held_[Key] = !held_[Key];
}

void TSoakInput::NextFrame(bool OnTitleScreen) {
  if (OnTitleScreen && !held_[KeyZ] && Chance(40)) Toggle(KeyZ);
  if (Chance(12)) Toggle(GameKeys[Below(GameKeyCount)]);
  if (Chance(400)) Toggle(uint16_t(1 + Below(255)));  // any key at all, now and then
  if (Chance(30)) {
    const uint16_t Key = GameKeys[Below(GameKeyCount)];
    if (held_[Key]) recorder_.KeyDown(Key);  // an auto-repeat
  }
  if (Chance(6)) recorder_.MouseMove(Below(161) - 80, Below(81) - 40, uint32_t(Below(4)));
  if (Chance(120)) recorder_.Click();
  if (Chance(150)) {
    const bool Centred = Chance(2);
    recorder_.Joystick(Centred ? 0 : int16_t(Below(65536) - 32768), Centred ? 0 : int16_t(Below(65536) - 32768),
                       Chance(3) ? uint32_t(1 + Below(15)) : 0u);
  }
}
