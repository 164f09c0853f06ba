// The floating-point std::from_chars and std::to_chars of C++17, which the
// libc++ shipped with this emscripten lacks (it has only the integer ones).
// Included into every file of the browser build. from_chars: no leading
// space or '+', the decimal form with an optional exponent (or inf/nan), the
// "C" locale, correctly rounded; out of range leaves the value alone.
// to_chars: the shortest text that reads back as the same float.
#pragma once
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "ShortestFloat.h"

namespace std {

template <typename T, T (*Convert)(const char*, char**)>
inline from_chars_result FloatFromChars(const char* First, const char* Last, T& Value) {
  char Text[128];
  const size_t Length = size_t(Last - First) < sizeof Text - 1 ? size_t(Last - First) : sizeof Text - 1;
  std::memcpy(Text, First, Length);
  Text[Length] = '\0';
  const char* Digits = Text + (Text[0] == '-' ? 1 : 0);
  const bool Bad = Length == 0 || Text[0] == '+' || Text[0] == ' ' || (Text[0] >= '\t' && Text[0] <= '\r') ||
                   *Digits == '-' || *Digits == '+';
  if (Bad) return {First, errc::invalid_argument};
  // strtod would read "0x1p3" as hexadecimal; from_chars reads its "0" only.
  if (Digits[0] == '0' && (Digits[1] == 'x' || Digits[1] == 'X')) Text[Digits - Text + 1] = '\0';
  char* End = nullptr;
  errno = 0;
  const T Result = Convert(Text, &End);
  if (End == Text) return {First, errc::invalid_argument};
  if (errno == ERANGE && (Result == 0 || Result > T(1) || Result < T(-1))) return {First + (End - Text), errc::result_out_of_range};
  Value = Result;
  return {First + (End - Text), errc{}};
}

inline float StrToFloat(const char* Text, char** End) { return std::strtof(Text, End); }
inline double StrToDouble(const char* Text, char** End) { return std::strtod(Text, End); }

inline from_chars_result from_chars(const char* First, const char* Last, float& Value) {
  return FloatFromChars<float, StrToFloat>(First, Last, Value);
}
inline from_chars_result from_chars(const char* First, const char* Last, double& Value) {
  return FloatFromChars<double, StrToDouble>(First, Last, Value);
}

inline to_chars_result to_chars(char* First, char* Last, float Value) {
  char* End = skyrend_compat::ShortestFloatText(First, Last, Value);
  if (!End) return {Last, errc::value_too_large};
  return {End, errc{}};
}

}  // namespace std
