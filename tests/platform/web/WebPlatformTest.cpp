// The browser platform's rules that need no browser: key codes, the pad
// and reading the packaged sound clips.
#include <gtest/gtest.h>

#include <vector>

#include "PadMapping.h"
#include "SoundClips.h"
#include "WavClip.h"
#include "WebKeyCodes.h"

TEST(WebKeyCodes, PhysicalKeysGetTheirVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromDomCode("KeyZ"), 90);
  EXPECT_EQ(VirtualKeyFromDomCode("KeyA"), 65);
  EXPECT_EQ(VirtualKeyFromDomCode("Digit0"), 48);
  EXPECT_EQ(VirtualKeyFromDomCode("Numpad4"), 100);
  EXPECT_EQ(VirtualKeyFromDomCode("Numpad0"), 96);
  EXPECT_EQ(VirtualKeyFromDomCode("ArrowLeft"), 37);
  EXPECT_EQ(VirtualKeyFromDomCode("ArrowDown"), 40);
  EXPECT_EQ(VirtualKeyFromDomCode("Space"), 32);
  EXPECT_EQ(VirtualKeyFromDomCode("Escape"), 27);
  EXPECT_EQ(VirtualKeyFromDomCode("NumpadEnter"), 13);
  EXPECT_EQ(VirtualKeyFromDomCode("F1"), 112);
  EXPECT_EQ(VirtualKeyFromDomCode("F12"), 123);
  // Not keys the game knows: no code, never a neighbour's.
  for (const char* Unknown : {"F13", "F0", "Fx", "Key", "KeyZZ", "Keyz", "Numpad", "", "IntlBackslash"})
    EXPECT_EQ(VirtualKeyFromDomCode(Unknown), 0) << Unknown;
  EXPECT_EQ(VirtualKeyFromDomCode(nullptr), 0);
  EXPECT_TRUE(IsSystemDomKey("KeyZ", true));
  EXPECT_TRUE(IsSystemDomKey("F10", false));
  EXPECT_TRUE(IsSystemDomKey("AltLeft", false));
  EXPECT_FALSE(IsSystemDomKey("KeyZ", false));
}

TEST(WebKeyCodes, ThePageTakesOnlyTheGamesKeysAndNoShortcuts) {
  for (const char* Code : {"KeyZ", "KeyP", "Space", "ArrowUp", "Escape", "Enter", "Numpad8", "Digit1", "F2"})
    EXPECT_NE(GameKeyFromDom(Code, false, false, false), 0) << Code;
  // The browser's own keys, and the game's keys with a modifier (Ctrl+R, Ctrl+L, Ctrl+0, Meta+Z...).
  for (const char* Code : {"F5", "F11", "F12", "Tab", "Backspace", "ControlLeft", "ShiftLeft", "PageDown", "F10"})
    EXPECT_EQ(GameKeyFromDom(Code, false, false, false), 0) << Code;
  EXPECT_EQ(GameKeyFromDom("KeyR", true, false, false), 0);
  EXPECT_EQ(GameKeyFromDom("Digit0", true, false, false), 0);
  EXPECT_EQ(GameKeyFromDom("Enter", false, true, false), 0);
  EXPECT_EQ(GameKeyFromDom("KeyZ", false, false, true), 0);
}

TEST(WavClip, ReadsTheGamesClipsAndRefusesDamagedOnes) {
  for (int i = 0; i < 6; ++i) {
    const TSoundClip& Clip = GetSoundClip(i);
    TWavClip W;
    ASSERT_TRUE(ReadWavClip(Clip.Data, Clip.Size, W)) << Clip.Name;
    EXPECT_GT(W.SampleRate, 0);
    EXPECT_EQ(W.Samples, Clip.Data + 44);
    EXPECT_EQ(W.SampleBytes, Clip.Size - 44);
  }
  const TSoundClip& Clip = GetSoundClip(0);
  std::vector<uint8_t> Bytes(Clip.Data, Clip.Data + Clip.Size);
  TWavClip W;
  // Cut short: the data chunk claims more than there is.
  EXPECT_FALSE(ReadWavClip(Bytes.data(), Bytes.size() - 1, W));
  // Not PCM.
  std::vector<uint8_t> Compressed = Bytes;
  Compressed[20] = 2;
  EXPECT_FALSE(ReadWavClip(Compressed.data(), Compressed.size(), W));
  // An unknown chunk of odd length before the data is skipped with its pad byte.
  std::vector<uint8_t> Extra(Bytes.begin(), Bytes.begin() + 36);
  const uint8_t List[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  Extra.insert(Extra.end(), List, List + sizeof List);
  Extra.insert(Extra.end(), Bytes.begin() + 36, Bytes.end());
  ASSERT_TRUE(ReadWavClip(Extra.data(), Extra.size(), W));
  EXPECT_EQ(W.SampleBytes, Clip.Size - 44);
}

TEST(PadMapping, StandardPadsSteerWithStickOrDpadAndFireWithSouthOrTrigger) {
  double Axes[4] = {-0.25, 1, 0, 0};
  bool Pressed[17] = {};
  double Values[17] = {};
  TPadReading Pad{4, Axes, 17, Pressed, Values, true};
  int16_t X, Y;
  uint32_t Buttons;
  ReadPad(Pad, X, Y, Buttons);
  EXPECT_EQ(X, -8192);
  EXPECT_EQ(Y, 32767);
  EXPECT_EQ(Buttons, 0u);
  Pressed[15] = true;  // d-pad right wins over the stick
  Values[7] = 0.6;     // right trigger past half way
  ReadPad(Pad, X, Y, Buttons);
  EXPECT_EQ(X, 32767);
  EXPECT_EQ(Buttons, 1u);
  // Another layout: raw axes and every button by number.
  Pad.Standard = false;
  Pressed[2] = true;
  ReadPad(Pad, X, Y, Buttons);
  EXPECT_EQ(X, -8192);
  EXPECT_EQ(Buttons, (1u << 2) | (1u << 15));
  EXPECT_EQ(PadAxisToRaw(-1.5), -32768);
}
