#include "QuoteWord.h"

namespace {

// Length of the well-formed UTF-8 sequence at Text[At], or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF are not).
size_t Utf8Length(const std::string& Text, size_t At) {
  const auto Byte = [&](size_t i) { return i < Text.size() ? static_cast<unsigned char>(Text[i]) : 0u; };
  const unsigned Lead = Byte(At);
  size_t Length = 0;
  unsigned Lo = 0x80, Hi = 0xBF;  // the range of the second byte
  if (Lead >= 0xC2 && Lead <= 0xDF) {
    Length = 2;
  } else if (Lead >= 0xE0 && Lead <= 0xEF) {
    Length = 3;
    if (Lead == 0xE0) Lo = 0xA0;
    if (Lead == 0xED) Hi = 0x9F;
  } else if (Lead >= 0xF0 && Lead <= 0xF4) {
    Length = 4;
    if (Lead == 0xF0) Lo = 0x90;
    if (Lead == 0xF4) Hi = 0x8F;
  } else {
    return 0;
  }
  if (Byte(At + 1) < Lo || Byte(At + 1) > Hi) return 0;
  for (size_t i = 2; i < Length; ++i)
    if (Byte(At + i) < 0x80 || Byte(At + i) > 0xBF) return 0;
  // U+0080..U+009F are control characters as well.
  if (Lead == 0xC2 && Byte(At + 1) <= 0x9F) return 0;
  return Length;
}

void AppendHex(std::string& Out, unsigned char Byte) {
  const char* Digits = "0123456789abcdef";
  Out += "\\x";
  Out += Digits[Byte >> 4];
  Out += Digits[Byte & 15];
}

std::string Quote(const std::string& Word, size_t MaxChars, bool EscapeQuoting) {
  std::string Out;
  size_t Chars = 0, At = 0;
  while (At < Word.size()) {
    if (Chars == MaxChars) return Out + "...";
    const auto Byte = static_cast<unsigned char>(Word[At]);
    if (Byte < 0x20 || Byte == 0x7F) {
      AppendHex(Out, Byte);
      ++At;
    } else if (Byte < 0x80) {
      if (EscapeQuoting && (Byte == '"' || Byte == '\\')) Out += '\\';
      Out += char(Byte);
      ++At;
    } else if (const size_t Length = Utf8Length(Word, At)) {
      Out.append(Word, At, Length);
      At += Length;
    } else {
      AppendHex(Out, Byte);
      ++At;
    }
    ++Chars;
  }
  return Out;
}

}  // namespace

std::string QuoteWord(const std::string& Word, size_t MaxChars) { return Quote(Word, MaxChars, true); }

std::string QuoteName(const std::string& Name) { return Quote(Name, MaxShownNameChars, false); }
