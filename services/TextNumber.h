// The one reader of a number in text. Everything the programs read (the
// command line, settings, scores, scripts and demos, the tools' options) reads
// its numbers here: decimal, no spaces, no '+', and the number is the whole text.
// Floating point is read here too, not by std::from_chars, because the C++
// library of the browser build has only the integer one.
#pragma once
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <system_error>
#include <type_traits>

// Reads a float or double as std::from_chars does: no leading space or '+',
// the decimal form with an optional exponent (or inf/nan), the "C" locale,
// correctly rounded; out of range leaves Value alone. A text of more than 127
// characters is read only that far.
template <typename T>
std::from_chars_result ReadFloatText(const char* First, const char* Last, T& Value) {
  static_assert(std::is_same_v<T, float> || std::is_same_v<T, double>);
  char Text[128];
  const size_t Length = size_t(Last - First) < sizeof Text - 1 ? size_t(Last - First) : sizeof Text - 1;
  std::memcpy(Text, First, Length);
  Text[Length] = '\0';
  const char* Digits = Text + (Text[0] == '-' ? 1 : 0);
  const bool Bad = Length == 0 || Text[0] == '+' || Text[0] == ' ' || (Text[0] >= '\t' && Text[0] <= '\r') ||
                   *Digits == '-' || *Digits == '+';
  if (Bad) return {First, std::errc::invalid_argument};
  // strtod would read "0x1p3" as hexadecimal; from_chars reads its "0" only.
  if (Digits[0] == '0' && (Digits[1] == 'x' || Digits[1] == 'X')) Text[Digits - Text + 1] = '\0';
  char* End = nullptr;
  errno = 0;
  const T Result = std::is_same_v<T, float> ? T(std::strtof(Text, &End)) : T(std::strtod(Text, &End));
  if (End == Text) return {First, std::errc::invalid_argument};
  // Overflow, or underflow all the way to zero; a result in the subnormal range stands.
  if (errno == ERANGE && (Result == 0 || Result > T(1) || Result < T(-1)))
    return {First + (End - Text), std::errc::result_out_of_range};
  Value = Result;
  return {First + (End - Text), std::errc{}};
}

enum class TNumberRead {
  Read,        // the whole text is a number that fits the type
  OutOfRange,  // the whole text is a number too large (or too small) for the type
  NotANumber   // empty, or something other than a number, or more after it
};

template <typename T>
TNumberRead ReadWholeText(std::string_view Text, T& Value) {
  const char* End = Text.data() + Text.size();
  std::from_chars_result R;
  if constexpr (std::is_floating_point_v<T>) R = ReadFloatText(Text.data(), End, Value);
  else R = std::from_chars(Text.data(), End, Value);
  if (Text.empty() || R.ptr != End) return TNumberRead::NotANumber;
  if (R.ec == std::errc::result_out_of_range) return TNumberRead::OutOfRange;
  return R.ec == std::errc() ? TNumberRead::Read : TNumberRead::NotANumber;
}

// True when the whole text is a number that fits the type, stored in Value.
template <typename T>
bool ParseWholeText(std::string_view Text, T& Value) {
  return ReadWholeText(Text, Value) == TNumberRead::Read;
}
