#include "Wav.h"

#include <algorithm>
#include <cmath>

#include "ByteWriter.h"

namespace {

// Byte by byte: GCC 12 at -O2 and above wrongly warns of an overflow when a
// 4-byte range is inserted into the reserved buffer.
void PutTag(std::vector<uint8_t>& Out, const char* Tag) {
  for (int i = 0; i < 4; ++i) Out.push_back(uint8_t(Tag[i]));
}

}  // namespace

std::vector<uint8_t> EncodeWave(const TWaveFormat& Format, const std::vector<float>& Samples) {
  const uint32_t bytesPerSample = uint32_t(Format.BitsPerSample / 8) * uint32_t(Format.Channels);
  const uint32_t dataBytes = uint32_t(Samples.size()) * uint32_t(Format.BitsPerSample / 8);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  // An odd data chunk is not padded: the clip's size is exactly 44 + data bytes.
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, uint32_t(Format.Channels));
  Put32(out, uint32_t(Format.SampleRate));
  Put32(out, uint32_t(Format.SampleRate) * bytesPerSample);
  Put16(out, bytesPerSample);
  Put16(out, uint32_t(Format.BitsPerSample));
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (float s : Samples) {
    const float clamped = std::clamp(s, -1.0f, 1.0f);
    if (Format.BitsPerSample == 8) {
      out.push_back(uint8_t(std::clamp(int(std::lround(128.0f + clamped * 127.0f)), 0, 255)));
    } else {
      const int v = std::clamp(int(std::lround(clamped * 32767.0f)), -32768, 32767);
      Put16(out, uint32_t(uint16_t(int16_t(v))));
    }
  }
  return out;
}
