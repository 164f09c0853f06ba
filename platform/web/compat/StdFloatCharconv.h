// The floating-point std::from_chars and std::to_chars of C++17, which the
// libc++ shipped with this emscripten lacks (it has only the integer ones).
// Included into every file of the browser build.
#pragma once
#include <charconv>

#include "FloatText.h"
#include "TextNumber.h"

namespace std {

inline from_chars_result from_chars(const char* First, const char* Last, float& Value) {
  return ReadFloatText(First, Last, Value);
}
inline from_chars_result from_chars(const char* First, const char* Last, double& Value) {
  return ReadFloatText(First, Last, Value);
}

inline to_chars_result to_chars(char* First, char* Last, float Value) {
  char* End = skyrend_compat::ShortestFloatText(First, Last, Value);
  if (!End) return {Last, errc::value_too_large};
  return {End, errc{}};
}

}  // namespace std
