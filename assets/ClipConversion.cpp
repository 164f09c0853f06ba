#include "ClipConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Sample Index of the clip, mixed down to one channel, as a 16-bit value.
int MonoSample(const TWavClip& Clip, size_t Index) {
  const size_t Width = size_t(Clip.BitsPerSample / 8) * size_t(Clip.Channels);
  const uint8_t* Frame = Clip.Samples + Index * Width;
  int Sum = 0;
  for (int c = 0; c < Clip.Channels; ++c) {
    if (Clip.BitsPerSample == 8) Sum += (int(Frame[c]) - 128) * 256;
    else Sum += int16_t(uint16_t(Frame[2 * c]) | uint16_t(Frame[2 * c + 1]) << 8);
  }
  return Sum / Clip.Channels;
}

}  // namespace

std::vector<int16_t> ConvertClip(const TWavClip& Clip, int Rate, int Channels, bool Looped) {
  std::vector<int16_t> Out;
  const size_t Width = size_t(Clip.BitsPerSample / 8) * size_t(Clip.Channels);
  const size_t Frames = Width ? Clip.SampleBytes / Width : 0;
  if (Frames == 0 || Rate <= 0 || Channels <= 0 || Clip.SampleRate <= 0) return Out;
  const double Ratio = double(Rate) / double(Clip.SampleRate);
  const size_t OutFrames = std::max<size_t>(1, size_t(std::llround(double(Frames) * Ratio)));
  // A loop spans exactly the clip: its step makes OutFrames frames cover Frames samples.
  const double Step = Looped ? double(Frames) / double(OutFrames) : 1.0 / Ratio;
  Out.resize(OutFrames * size_t(Channels));
  for (size_t f = 0; f < OutFrames; ++f) {
    const double At = double(f) * Step;
    const size_t i = std::min(size_t(At), Frames - 1);
    const double t = At - double(i);
    // Linear between neighbours; past the end a loop goes on from its start.
    const size_t Next = i + 1 < Frames ? i + 1 : (Looped ? 0 : i);
    const double Value = MonoSample(Clip, i) * (1 - t) + MonoSample(Clip, Next) * t;
    const int16_t S = int16_t(std::lround(std::max(-32768.0, std::min(32767.0, Value))));
    for (int c = 0; c < Channels; ++c) Out[f * size_t(Channels) + size_t(c)] = S;
  }
  return Out;
}

int LargestStep(const std::vector<int16_t>& Samples, int Channels, bool Looped) {
  if (Channels <= 0) return 0;
  const size_t Frames = Samples.size() / size_t(Channels);
  int Largest = 0;
  for (size_t f = 1; f < Frames + (Looped ? 1 : 0); ++f)
    for (int c = 0; c < Channels; ++c) {
      const int A = Samples[(f - 1) * size_t(Channels) + size_t(c)];
      const int B = Samples[(f % Frames) * size_t(Channels) + size_t(c)];
      Largest = std::max(Largest, std::abs(B - A));
    }
  return Largest;
}
