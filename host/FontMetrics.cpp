#include "FontMetrics.h"

#include <cstring>
#include <new>
#include <sstream>
#include <stdexcept>

#include "ReadableFile.h"

namespace {

constexpr int First = 32, Count = 95;

int Index(char C) {
  const int Code = static_cast<unsigned char>(C);
  return Code >= First && Code < First + Count ? Code - First : '?' - First;
}

}  // namespace

const TFontGlyph& TFontMetrics::Glyph(char C) const { return Glyphs[size_t(Index(C))]; }

float TFontMetrics::Kern(char A, char B) const {
  if (Kerning.empty()) return 0;
  return Kerning[size_t(Index(A) * Count + Index(B))];
}

float TFontMetrics::TextWidth(const char* Text, float Height) const {
  if (Size <= 0) return 0;
  float Pen = 0;
  for (size_t i = 0; Text[i]; ++i) {
    Pen += Glyph(Text[i]).Advance;
    if (Text[i + 1]) Pen += Kern(Text[i], Text[i + 1]);
  }
  return Pen * Height / Size;
}

bool ParseFontMetrics(const std::string& Text, TFontMetrics& M, std::string& Error) {
  M = TFontMetrics();
  std::istringstream In(Text);
  std::string Line;
  int LineNo = 0;
  auto Fail = [&](const std::string& Why) {
    Error = "line " + std::to_string(LineNo) + ": " + Why;
    return false;
  };
  while (std::getline(In, Line)) {
    ++LineNo;
    std::istringstream Words(Line);
    std::string Key;
    if (!(Words >> Key) || Key[0] == '#') continue;
    bool Read = true;
    if (Key == "atlas") {
      Read = bool(Words >> M.AtlasWidth >> M.AtlasHeight) && M.AtlasWidth > 0 && M.AtlasHeight > 0;
      if (Read && (M.AtlasWidth > MaxFontAtlasSide || M.AtlasHeight > MaxFontAtlasSide))
        return Fail("atlas larger than " + std::to_string(MaxFontAtlasSide) + " x " + std::to_string(MaxFontAtlasSide));
    } else if (Key == "size") {
      Read = bool(Words >> M.Size) && M.Size > 0;
    } else if (Key == "ascent") {
      Read = bool(Words >> M.Ascent);
    } else if (Key == "descent") {
      Read = bool(Words >> M.Descent);
    } else if (Key == "spread") {
      Read = bool(Words >> M.Spread) && M.Spread > 0;
    } else if (Key == "glyph") {
      int Code = 0;
      TFontGlyph G;
      Read = bool(Words >> Code >> G.X >> G.Y >> G.W >> G.H >> G.XOff >> G.YOff >> G.Advance);
      if (Read && (Code < First || Code >= First + Count)) return Fail("no printable character " + std::to_string(Code));
      if (Read && (G.X < 0 || G.Y < 0 || G.W < 0 || G.H < 0 || G.X + G.W > M.AtlasWidth || G.Y + G.H > M.AtlasHeight))
        return Fail("glyph " + std::to_string(Code) + " lies outside the atlas");
      if (Read) M.Glyphs[size_t(Code - First)] = G;
    } else if (Key == "kern") {
      int A = 0, B = 0;
      float K = 0;
      Read = bool(Words >> A >> B >> K) && A >= First && A < First + Count && B >= First && B < First + Count;
      if (Read) {
        if (M.Kerning.empty()) M.Kerning.assign(size_t(Count) * Count, 0.0f);
        M.Kerning[size_t((A - First) * Count + (B - First))] = K;
      }
    } else {
      return Fail("unknown entry \"" + Key.substr(0, 20) + "\"");
    }
    if (!Read) return Fail("cannot read the " + Key + " entry");
  }
  if (M.AtlasWidth > 0 && M.Size > 0) return true;
  Error = "no atlas size or font size";
  return false;
}

bool DecodePgm(const std::string& Bytes, int& Width, int& Height, std::vector<uint8_t>& Pixels, std::string& Error) {
  std::istringstream In(Bytes);
  std::string Magic;
  int Max = 0;
  Width = Height = 0;
  In >> Magic;
  // Comments may stand between the header's numbers.
  auto Number = [&In](int& Value) {
    In >> std::ws;
    while (In.peek() == '#') {
      std::string Skip;
      std::getline(In, Skip);
      In >> std::ws;
    }
    return bool(In >> Value);
  };
  if (Magic != "P5" || !Number(Width) || !Number(Height) || !Number(Max) || Max != 255 || Width <= 0 ||
      Height <= 0) {
    Error = "not an 8-bit binary PGM picture";
    return false;
  }
  if (Width > MaxFontAtlasSide || Height > MaxFontAtlasSide) {
    Error = "atlas larger than " + std::to_string(MaxFontAtlasSide) + " x " + std::to_string(MaxFontAtlasSide);
    return false;
  }
  const size_t Start = size_t(In.tellg()) + 1;  // one blank after maxval
  const size_t Need = size_t(Width) * size_t(Height);
  if (Bytes.size() < Start || Bytes.size() - Start < Need) {
    Error = "the picture is cut short";
    return false;
  }
  Pixels.assign(Bytes.begin() + ptrdiff_t(Start), Bytes.begin() + ptrdiff_t(Start + Need));
  return true;
}

namespace {

// The file's bytes within MaxBytes; false with Error "PATH: reason".
bool ReadFontFile(const std::string& Path, uint64_t MaxBytes, std::string& Bytes, std::string& Error) {
  const std::string TooLarge = "larger than " + std::to_string(MaxBytes >> 10) + " KB, more than any font";
  try {
    Bytes = TReadableFile(Path).ReadAll(MaxBytes, TooLarge.c_str());
    return true;
  } catch (const EReadError& e) {
    Error = Path + ": " + std::strerror(e.Error);
  } catch (const std::bad_alloc&) {
    Error = Path + ": not enough memory";
  } catch (const std::runtime_error& e) {
    Error = Path + ": " + e.what();
  }
  return false;
}

}  // namespace

bool ReadFontFiles(const std::string& Folder, TFontMetrics& Metrics, int& Width, int& Height,
                   std::vector<uint8_t>& Pixels, std::string& Error) {
  const std::string MetricsPath = Folder + "/Font.metrics", AtlasPath = Folder + "/Font.pgm";
  std::string Text, Bytes;
  if (!ReadFontFile(MetricsPath, MaxFontMetricsBytes, Text, Error)) return false;
  if (!ParseFontMetrics(Text, Metrics, Error)) {
    Error = MetricsPath + ": " + Error;
    return false;
  }
  if (!ReadFontFile(AtlasPath, MaxFontAtlasBytes, Bytes, Error)) return false;
  if (!DecodePgm(Bytes, Width, Height, Pixels, Error)) {
    Error = AtlasPath + ": " + Error;
    return false;
  }
  if (Width != Metrics.AtlasWidth || Height != Metrics.AtlasHeight) {
    Error = AtlasPath + ": not the size its metrics say";
    return false;
  }
  return true;
}
