#include "GlDriverStack.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <cstring>

namespace {

bool InGlDriver(void* Address) {
  Dl_info Info;
  if (!dladdr(Address, &Info) || !Info.dli_fname) return false;
  const char* Name = Info.dli_fname;
  return std::strstr(Name, "_dri") || std::strstr(Name, "LLVM") || std::strstr(Name, "libGL") ||
         std::strstr(Name, "libEGL") || std::strstr(Name, "gallium") || std::strstr(Name, "mesa");
}

}  // namespace

void PrimeStackWalk() {
  void* Prime[1];
  backtrace(Prime, 1);
}

bool CalledFromGlDriver() {
  void* Stack[16];
  const int Depth = backtrace(Stack, 16);
  for (int i = 1; i < Depth; ++i)
    if (InGlDriver(Stack[i])) return true;
  return false;
}
