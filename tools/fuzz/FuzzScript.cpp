// libFuzzer target: the script and demo reader on a whole file's text, checked
// by ScriptFault (ScriptChecks.h) beyond the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ScriptChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (ScriptFault(std::string(reinterpret_cast<const char*>(Data), Size))) __builtin_trap();
  return 0;
}
