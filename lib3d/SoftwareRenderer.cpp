#include "SoftwareRenderer.h"

#include <cstring>
#include <initializer_list>

bool IsSoftwareRenderer(const char* Renderer) {
  if (!Renderer) return false;
  for (const char* Name : {"llvmpipe", "softpipe", "swrast", "SwiftShader"})
    if (std::strstr(Renderer, Name)) return true;
  return false;
}
