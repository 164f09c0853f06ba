// The six sound clips: exact formats and sizes, clean samples, balanced
// levels, short cues that fade out, a hum that loops without a click, and
// the clips compiled into the game equal to the generator's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "SoundClips.h"
#include "Sounds.h"

namespace {

struct TExpected {
  const char* Name;
  uint32_t Rate;
  uint16_t Bits;
  uint32_t DataBytes;
  uint32_t FileBytes;
};

// Formats and sizes of the game's wave items, by index.
const TExpected kTable[6] = {
    {"MeShoot", 22050, 16, 55118, 55162},    {"MeHitObstacle", 22050, 16, 61138, 61182},
    {"AlienHit", 22050, 16, 37876, 37920},   {"RockertHit", 22050, 16, 29116, 29160},
    {"RocketHum", 8000, 8, 4003, 4047},      {"ShotObstacle", 22050, 16, 93690, 93734},
};

uint32_t Le32(const uint8_t* B) { return uint32_t(B[0]) | uint32_t(B[1]) << 8 | uint32_t(B[2]) << 16 | uint32_t(B[3]) << 24; }
uint16_t Le16(const uint8_t* B) { return uint16_t(B[0] | B[1] << 8); }

// The data chunk as values in -1..1 (full scale is 1).
std::vector<double> Samples(const std::vector<uint8_t>& Wave, int Bits) {
  std::vector<double> out;
  const uint8_t* data = Wave.data() + 44;
  const size_t bytes = Wave.size() - 44;
  if (Bits == 8)
    for (size_t i = 0; i < bytes; ++i) out.push_back((double(data[i]) - 128) / 128);
  else
    for (size_t i = 0; i + 1 < bytes; i += 2) out.push_back(double(int16_t(Le16(data + i))) / 32768);
  return out;
}

// The loudest RMS over any 50 ms stretch.
double LoudestRms(const std::vector<double>& S, uint32_t Rate) {
  const size_t window = Rate / 20;
  double best = 0;
  for (size_t start = 0; start + window <= S.size(); start += window / 4) {
    double sum = 0;
    for (size_t i = start; i < start + window; ++i) sum += S[i] * S[i];
    best = std::max(best, std::sqrt(sum / double(window)));
  }
  return best;
}

TEST(SoundClips, EachClipIsARiffWaveFileOfTheTablesFormatAndSize) {
  for (int i = 0; i < 6; ++i) {
    const TExpected& e = kTable[i];
    SCOPED_TRACE(e.Name);
    const std::vector<uint8_t> w = BuildClipWave(i);
    ASSERT_EQ(w.size(), e.FileBytes);
    EXPECT_EQ(std::string(ClipRecipe(i).Name), e.Name);
    EXPECT_EQ(std::memcmp(w.data(), "RIFF", 4), 0);
    EXPECT_EQ(Le32(&w[4]), e.FileBytes - 8);
    EXPECT_EQ(std::memcmp(&w[8], "WAVEfmt ", 8), 0);
    EXPECT_EQ(Le32(&w[16]), 16u);
    EXPECT_EQ(Le16(&w[20]), 1) << "uncompressed PCM";
    EXPECT_EQ(Le16(&w[22]), 1) << "mono";
    EXPECT_EQ(Le32(&w[24]), e.Rate);
    EXPECT_EQ(Le32(&w[28]), e.Rate * e.Bits / 8);
    EXPECT_EQ(Le16(&w[32]), e.Bits / 8);
    EXPECT_EQ(Le16(&w[34]), e.Bits);
    EXPECT_EQ(std::memcmp(&w[36], "data", 4), 0);
    EXPECT_EQ(Le32(&w[40]), e.DataBytes);
  }
}

TEST(SoundClips, SamplesStayInRangeWithoutClippingAndAtBalancedLevels) {
  double quietest = 1, loudest = 0;
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(kTable[i].Name);
    const std::vector<double> s = Samples(BuildClipWave(i), kTable[i].Bits);
    double peak = 0;
    int run = 0, longestRun = 0;
    for (double v : s) {
      peak = std::max(peak, std::fabs(v));
      run = std::fabs(v) >= 0.99 ? run + 1 : 0;
      longestRun = std::max(longestRun, run);
    }
    EXPECT_LE(peak, 0.95) << "headroom";
    EXPECT_GE(peak, 0.3) << "audible";
    EXPECT_LT(longestRun, 2) << "clipped samples";
    const double rms = LoudestRms(s, kTable[i].Rate);
    EXPECT_GE(rms, 0.08);
    EXPECT_LE(rms, 0.45);
    quietest = std::min(quietest, rms);
    loudest = std::max(loudest, rms);
  }
  EXPECT_LE(loudest / quietest, 3.5) << "no cue may drown the others";
}

TEST(SoundClips, ShortCuesStartCleanlyAndFadeToSilenceBeforeTheClipEnds) {
  for (int i : {0, 1, 2, 3, 5}) {
    SCOPED_TRACE(kTable[i].Name);
    const std::vector<double> s = Samples(BuildClipWave(i), 16);
    EXPECT_LT(std::fabs(s.front()), 0.01);
    // The last tenth of every one-shot clip is silence.
    for (size_t n = s.size() * 9 / 10; n < s.size(); ++n) ASSERT_LT(std::fabs(s[n]), 0.002) << "sample " << n;
  }
}

TEST(SoundClips, RocketHumLoopsWithoutAClick) {
  const std::vector<uint8_t> w = BuildClipWave(4);
  const std::vector<uint8_t> data(w.begin() + 44, w.end());
  int largestStep = 0;
  for (size_t i = 1; i < data.size(); ++i) largestStep = std::max(largestStep, std::abs(data[i] - data[i - 1]));
  // Looping joins the last sample to the first: that step must look like any other.
  EXPECT_LE(std::abs(int(data.front()) - int(data.back())), largestStep / 2 + 1);
  EXPECT_GT(largestStep, 0);
}

TEST(SoundClips, TheGameHoldsTheGeneratedClipsByIndex) {
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(kTable[i].Name);
    const TSoundClip& clip = GetSoundClip(i);
    EXPECT_STREQ(clip.Name, kTable[i].Name);
    ASSERT_EQ(clip.Size, kTable[i].FileBytes);
    const std::vector<uint8_t> generated = BuildClipWave(i);
    EXPECT_TRUE(std::equal(generated.begin(), generated.end(), clip.Data));
  }
  EXPECT_EQ(GetSoundClip(6).Size, 0u);
  EXPECT_EQ(GetSoundClip(-1).Data, nullptr);
}

}  // namespace
