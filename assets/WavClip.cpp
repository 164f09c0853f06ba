#include "WavClip.h"

#include <cstring>

namespace {

uint32_t Le32(const uint8_t* P) { return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24; }
uint16_t Le16(const uint8_t* P) { return uint16_t(P[0] | P[1] << 8); }

}  // namespace

bool ReadWavClip(const uint8_t* Data, size_t Size, TWavClip& Out) {
  if (!Data || Size < 12 || std::memcmp(Data, "RIFF", 4) != 0 || std::memcmp(Data + 8, "WAVE", 4) != 0)
    return false;
  TWavClip Clip;
  bool HaveFormat = false, HaveData = false;
  size_t At = 12;
  while (At + 8 <= Size) {
    const uint8_t* Chunk = Data + At;
    const size_t Length = Le32(Chunk + 4);
    if (Length > Size - At - 8) return false;
    const uint8_t* Body = Chunk + 8;
    if (std::memcmp(Chunk, "fmt ", 4) == 0) {
      if (Length < 16 || Le16(Body) != 1) return false;  // PCM only
      Clip.Channels = Le16(Body + 2);
      Clip.SampleRate = int(Le32(Body + 4));
      Clip.BitsPerSample = Le16(Body + 14);
      HaveFormat = true;
    } else if (std::memcmp(Chunk, "data", 4) == 0) {
      Clip.Samples = Body;
      Clip.SampleBytes = Length;
      HaveData = true;
    }
    At += 8 + Length + (Length & 1);  // chunks are padded to even lengths
  }
  if (!HaveFormat || !HaveData) return false;
  if (Clip.Channels < 1 || Clip.Channels > 2 || Clip.SampleRate <= 0) return false;
  if (Clip.BitsPerSample != 8 && Clip.BitsPerSample != 16) return false;
  Out = Clip;
  return true;
}
