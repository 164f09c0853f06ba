// A clip converted to the sound device's own format by our code, so that what
// is heard does not depend on the mixer's resampler: 16-bit signed samples,
// interleaved, at the device's rate and channel count. A looped clip is
// converted as a circle: its last samples blend into its first, and its
// length is whole device frames spanning exactly the clip, so the loop joins
// without a click.
#pragma once
#include <cstdint>
#include <vector>

#include "WavClip.h"

// Empty when the clip holds no samples or Rate or Channels is not positive.
std::vector<int16_t> ConvertClip(const TWavClip& Clip, int Rate, int Channels, bool Looped);

// The largest step between neighbouring frames of one channel, the loop's seam
// included when Looped: a click shows as a step far above the clip's own.
int LargestStep(const std::vector<int16_t>& Samples, int Channels, bool Looped);
