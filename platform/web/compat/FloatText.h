// Floating-point text as C++17's std::to_chars writes it, for a standard
// library that lacks it. Header only and free of the browser, so it is tested
// natively against the real one. (Reading is services/TextNumber.h.)
#pragma once
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace skyrend_compat {

// The text std::to_chars(first, last, float) writes: the fewest digits that
// read back as the same float, in plain or exponent form, whichever is
// shorter (plain on a tie), as printf's %f or %e would show them. Writes into
// [First, Last) and returns the end of the text, or nullptr when it does not fit.
inline char* ShortestFloatText(char* First, char* Last, float Value) {
  char Out[64];
  size_t N = 0;
  if (std::signbit(Value)) Out[N++] = '-';
  const float Magnitude = std::signbit(Value) ? -Value : Value;
  if (Magnitude == 0) {
    Out[N++] = '0';
  } else if (Magnitude != Magnitude) {
    std::memcpy(Out + N, "nan", 3);
    N += 3;
  } else if (std::isinf(Magnitude)) {
    std::memcpy(Out + N, "inf", 3);
    N += 3;
  } else {
    // The fewest significant digits that read back as the same float.
    char Sci[32];
    for (int Precision = 0; Precision < 9; ++Precision) {
      std::snprintf(Sci, sizeof Sci, "%.*e", Precision, double(Magnitude));
      if (std::strtof(Sci, nullptr) == Magnitude) break;
    }
    char Digits[16] = {};  // zeroed: GCC at -O3 cannot see that snprintf fills it
    int Count = 0;
    const char* P = Sci;
    for (; *P && *P != 'e'; ++P)
      if (*P != '.') Digits[Count++] = *P;
    const int Exponent = std::atoi(P + 1);
    while (Count > 1 && Digits[Count - 1] == '0') --Count;
    // Exponent form: d[.ddd]e+XX with at least two exponent digits.
    char E[32];
    size_t EN = 0;
    E[EN++] = Digits[0];
    if (Count > 1) {
      E[EN++] = '.';
      for (int i = 1; i < Count; ++i) E[EN++] = Digits[i];
    }
    EN += size_t(std::snprintf(E + EN, sizeof E - EN, "e%c%02d", Exponent < 0 ? '-' : '+',
                               Exponent < 0 ? -Exponent : Exponent));
    // Plain form.
    char F[64];
    size_t FN = 0;
    if (Exponent + 1 >= Count) {
      // A whole number shows its exact value, not the shortest digits padded with zeros.
      FN = size_t(std::snprintf(F, sizeof F, "%.0f", double(Magnitude)));
    } else if (Exponent >= 0) {
      for (int i = 0; i < Count; ++i) {
        if (i == Exponent + 1) F[FN++] = '.';
        F[FN++] = Digits[i];
      }
    } else {
      F[FN++] = '0';
      F[FN++] = '.';
      for (int i = 0; i < -Exponent - 1; ++i) F[FN++] = '0';
      for (int i = 0; i < Count; ++i) F[FN++] = Digits[i];
    }
    const bool Plain = FN <= EN;
    std::memcpy(Out + N, Plain ? F : E, Plain ? FN : EN);
    N += Plain ? FN : EN;
  }
  if (size_t(Last - First) < N) return nullptr;
  std::memcpy(First, Out, N);
  return First + N;
}

}  // namespace skyrend_compat
