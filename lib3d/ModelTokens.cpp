#include "ModelTokens.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace {

// Checks the accepted number form: optional sign, digits with an optional
// full stop (at least one digit), optional exponent E or e with optional sign
// and digits. Anything else (tabs, commas, "inf", hex) does not convert.
bool IsNumberText(std::string_view T, bool& NegativeExponent, bool& ZeroIntegerPart) {
  size_t i = 0;
  bool hasExponent = false;
  NegativeExponent = false;
  ZeroIntegerPart = true;
  if (i < T.size() && (T[i] == '+' || T[i] == '-')) ++i;
  size_t digits = 0;
  while (i < T.size() && T[i] >= '0' && T[i] <= '9') {
    if (T[i] != '0') ZeroIntegerPart = false;
    ++i, ++digits;
  }
  if (i < T.size() && T[i] == '.') {
    ++i;
    while (i < T.size() && T[i] >= '0' && T[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < T.size() && (T[i] == 'e' || T[i] == 'E')) {
    hasExponent = true;
    ++i;
    if (i < T.size() && (T[i] == '+' || T[i] == '-')) NegativeExponent = (T[i++] == '-');
    size_t expDigits = 0;
    while (i < T.size() && T[i] >= '0' && T[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  // An integer part of zeros only says "small" when no exponent scales it up.
  if (hasExponent && !NegativeExponent) ZeroIntegerPart = false;
  return i == T.size();
}

// from_chars does not take a leading plus sign.
std::string_view WithoutPlus(std::string_view T) {
  if (!T.empty() && T[0] == '+') T.remove_prefix(1);
  return T;
}

}  // namespace

std::string_view TokenView(std::string_view Line, int N) {
  if (N < 1) return {};
  size_t start = 0;
  for (int k = 1; k < N; ++k) {
    size_t space = Line.find(' ', start);
    if (space == std::string_view::npos) return {};
    start = space + 1;
  }
  size_t end = Line.find(' ', start);
  if (end == std::string_view::npos) end = Line.size();
  return Line.substr(start, end - start);
}

std::string GetStringToken(std::string_view Line, int N) { return std::string(TokenView(Line, N)); }

float GetFloatToken(std::string_view Line, int N) { return TextToFloat(TokenView(Line, N)); }

int32_t GetIntToken(std::string_view Line, int N) { return TextToInt(TokenView(Line, N)); }

std::string StripQuotes(std::string_view Text) {
  if (Text.size() < 3) return std::string();
  return std::string(Text.substr(1, Text.size() - 2));
}

float TextToFloat(std::string_view Text) {
  bool negExp, zeroInt;
  if (!IsNumberText(Text, negExp, zeroInt)) return 0.0f;
  Text = WithoutPlus(Text);
  float value = 0.0f;
  auto r = std::from_chars(Text.data(), Text.data() + Text.size(), value);
  // Values beyond the float range do not convert; values too small to hold are 0.
  if (r.ec != std::errc()) return 0.0f;
  return value;
}

int32_t TextToInt(std::string_view Text) {
  bool negExp, zeroInt;
  if (!IsNumberText(Text, negExp, zeroInt)) return 0;
  Text = WithoutPlus(Text);
  double value = 0.0;
  auto r = std::from_chars(Text.data(), Text.data() + Text.size(), value);
  if (r.ec == std::errc::result_out_of_range) {
    // Too small for a double rounds to 0; too large is out of range.
    if (negExp || zeroInt) return 0;
    throw std::range_error("Range check error");
  }
  if (r.ec != std::errc()) return 0;
  // nearbyint in the default rounding mode sends halves to the even neighbour.
  double rounded = std::nearbyint(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw std::range_error("Range check error");
  return static_cast<int32_t>(rounded);
}
