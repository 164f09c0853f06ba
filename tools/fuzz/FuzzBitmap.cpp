// libFuzzer target: the bitmap decoder on whole file bytes, unmasked and
// colour-keyed, checked by BitmapFault (FuzzChecks.h) beyond the sanitizers.
#include <cstddef>
#include <cstdint>

#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  for (const bool masked : {false, true})
    if (BitmapFault(Data, Size, masked)) __builtin_trap();
  return 0;
}
