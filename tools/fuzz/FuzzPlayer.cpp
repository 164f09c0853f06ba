// libFuzzer target: the settings and scores readers on a whole file's text,
// checked by PlayerFault (PlayerChecks.h) beyond the sanitizers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "PlayerChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Fault = PlayerFault(std::string(reinterpret_cast<const char*>(Data), Size));
  if (Fault.empty()) return 0;
  std::fprintf(stderr, "%s\n", Fault.c_str());
  __builtin_trap();
}
