// SDL keys as the game's virtual-key codes, and the keys the window system keeps.
#include "KeyCodes.h"
#include "KeyTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

TEST(KeyCodes, SdlKeysBecomeWindowsVirtualKeyCodes) {
  const std::vector<std::pair<SDL_Keycode, uint16_t>> Cases = {
      {SDLK_a, 65},      {SDLK_h, 72},       {SDLK_z, 90},      {SDLK_0, 48},     {SDLK_9, 57},
      {SDLK_LEFT, 37},   {SDLK_UP, 38},      {SDLK_RIGHT, 39},  {SDLK_DOWN, 40},  {SDLK_ESCAPE, 27},
      {SDLK_SPACE, 32},  {SDLK_RETURN, 13},  {SDLK_F1, 112},    {SDLK_F2, 113},   {SDLK_F12, 123},
      {SDLK_KP_0, 96},   {SDLK_KP_1, 97},    {SDLK_KP_2, 98},   {SDLK_KP_8, 104}, {SDLK_KP_9, 105},
      {SDLK_KP_ENTER, 13},
  };
  for (const auto& [Sdl, Vk] : Cases) EXPECT_EQ(VirtualKeyFromSdl(Sdl), Vk) << SDL_GetKeyName(Sdl);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F13), 0);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_MENU), 0);
}

TEST(KeyCodes, AltCombinationsAndF10AreSystemKeys) {
  EXPECT_TRUE(IsSystemKey(SDLK_F10, KMOD_NONE));
  EXPECT_TRUE(IsSystemKey(SDLK_z, KMOD_LALT));
  EXPECT_TRUE(IsSystemKey(SDLK_F4, KMOD_RALT));
  EXPECT_TRUE(IsSystemKey(SDLK_LALT, KMOD_NONE));
  EXPECT_FALSE(IsSystemKey(SDLK_z, KMOD_NONE));
  EXPECT_FALSE(IsSystemKey(SDLK_z, KMOD_LSHIFT));
  EXPECT_FALSE(IsSystemKey(SDLK_F2, KMOD_LCTRL));
}

// Every row of the one key table names a key SDL knows, which comes back as
// the row's code: a misspelt name would leave that key dead on the desktop.
TEST(KeyCodes, EveryKeyOfTheTableIsAnSdlKey) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();  // SDL's keyboard map
  for (const TKeyRow& Row : KeyRows()) {
    const SDL_Keycode Key = SDL_GetKeyFromName(Row.SdlName);
    EXPECT_NE(Key, SDLK_UNKNOWN) << Row.SdlName;
    EXPECT_EQ(VirtualKeyFromSdl(Key), Row.Vk) << Row.SdlName;
  }
  SDL_Quit();
}

}  // namespace
