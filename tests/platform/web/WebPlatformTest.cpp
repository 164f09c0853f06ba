// The browser platform's parts that need no browser: the Gamepad API's pad
// layout and reading the packaged sound clips.
#include <gtest/gtest.h>

#include <vector>

#include "PadMapping.h"
#include "SoundClips.h"
#include "WavClip.h"

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
  auto ReadPad = [](const TPadReading& Pad, int16_t& X, int16_t& Y, uint32_t& Buttons) {
    PadAsJoystick(PadStateFromReading(Pad), X, Y, Buttons);
  };
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
}
