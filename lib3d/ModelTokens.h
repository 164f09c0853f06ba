// Token access for the model text reader. A line's tokens are numbered from 1
// and end at every single space: two spaces give an empty token between them,
// a leading space makes token 1 empty, and a number past the last token gives
// an empty token. Numbers always use the full stop as decimal point.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Token N of Line (1-based), quote characters included.
std::string_view TokenView(std::string_view Line, int N);
std::string GetStringToken(std::string_view Line, int N);

// Float value of token N; 0 when the token is empty or not a number.
float GetFloatToken(std::string_view Line, int N);

// Integer value of token N: read as a number, rounded to nearest with halves
// to even. Throws std::range_error("Range check error") outside int32.
int32_t GetIntToken(std::string_view Line, int N);

// The text without its first and last characters when it has at least three,
// else the empty text (the removed characters need not be quotes).
std::string StripQuotes(std::string_view Text);

// Plain number conversion behind the token functions (same rules).
float TextToFloat(std::string_view Text);
int32_t TextToInt(std::string_view Text);
