// RIFF WAVE files of uncompressed PCM: a 16-byte "fmt " chunk and one "data"
// chunk, nothing else, so a clip of N data bytes is N + 44 bytes long.
#pragma once
#include <cstdint>
#include <vector>

struct TWaveFormat {
  int SampleRate = 22050;
  int BitsPerSample = 16;  // 8 (unsigned) or 16 (signed)
  int Channels = 1;
};

// Samples are in -1..1; they are rounded to the format and held inside it.
std::vector<uint8_t> EncodeWave(const TWaveFormat& Format, const std::vector<float>& Samples);
