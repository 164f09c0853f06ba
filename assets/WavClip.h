// Reads a RIFF WAVE clip held in memory for a sound service:
// uncompressed PCM, 8-bit unsigned or 16-bit signed, mono or stereo, any
// chunk order with unknown chunks skipped. Nothing is read past the bytes.
#pragma once
#include <cstddef>
#include <cstdint>

struct TWavClip {
  int SampleRate = 0;
  int BitsPerSample = 0;
  int Channels = 0;
  const uint8_t* Samples = nullptr;  // points into the clip's bytes
  size_t SampleBytes = 0;
};

// False (Out untouched) for anything but the PCM forms above, or cut data.
bool ReadWavClip(const uint8_t* Data, size_t Size, TWavClip& Out);
