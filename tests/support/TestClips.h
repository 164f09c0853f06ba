// Sound clips for the sound tests: RIFF WAVE files of a square wave, like the
// game's in format and length, and the mixer's output rendered into memory.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "SoundMixer.h"

// Mono PCM, 8 or 16 bits, a square wave of Level (16-bit scale) and 50 samples a period.
inline std::vector<uint8_t> MakeWav(int Rate, int Bits, double Seconds, int Level = 12000) {
  const uint32_t Samples = uint32_t(Rate * Seconds), Width = uint32_t(Bits / 8), Data = Samples * Width;
  std::vector<uint8_t> W;
  auto U32 = [&W](uint32_t V) { for (int i = 0; i < 4; ++i) W.push_back(uint8_t(V >> (8 * i))); };
  auto U16 = [&W](uint32_t V) { for (int i = 0; i < 2; ++i) W.push_back(uint8_t(V >> (8 * i))); };
  auto Tag = [&W](const char* T) { W.insert(W.end(), T, T + 4); };
  Tag("RIFF"), U32(36 + Data), Tag("WAVE"), Tag("fmt "), U32(16), U16(1), U16(1);
  U32(uint32_t(Rate)), U32(uint32_t(Rate) * Width), U16(Width), U16(uint32_t(Bits)), Tag("data"), U32(Data);
  for (uint32_t i = 0; i < Samples; ++i) {
    const int S = (i / 25) % 2 == 0 ? Level : -Level;
    if (Bits == 16) U16(uint32_t(int16_t(S)) & 0xFFFF);
    else W.push_back(uint8_t(128 + S / 256));
  }
  return W;
}

// Clips like the game's: 16-bit 22050 Hz one-shots and an 8-bit 8000 Hz hum.
struct TTestClips {
  TTestClips() {
    const double Seconds[WaveItemCount] = {1.25, 1.4, 0.86, 0.5, 0.5, 2.1};
    for (int i = 0; i < WaveItemCount; ++i) {
      Wavs[i] = i == WaveRocketHum ? MakeWav(8000, 8, Seconds[i]) : MakeWav(22050, 16, Seconds[i]);
      Bytes[i] = {Wavs[i].data(), Wavs[i].size()};
    }
  }
  std::vector<uint8_t> Wavs[WaveItemCount];
  std::array<TClipBytes, WaveItemCount> Bytes{};
};

// The tests' sound backend: Frames frames of the mix, left and right interleaved.
inline std::vector<int16_t> Record(TSoundMixer& Mixer, int Frames) {
  std::vector<int16_t> S(size_t(2 * Frames));
  Mixer.Mix(S.data(), Frames);
  return S;
}

// The loudest sample of one side (0 left, 1 right), or of both (-1).
inline int Peak(const std::vector<int16_t>& S, int Side = -1) {
  int P = 0;
  for (size_t i = 0; i < S.size(); ++i)
    if (Side < 0 || int(i % 2) == Side) P = std::max(P, std::abs(int(S[i])));
  return P;
}
