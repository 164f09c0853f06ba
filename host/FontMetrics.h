// The font atlas's metrics and pixels as the asset generator writes them
// ("Font.metrics", "Font.pgm" in the program's folder): where each printable
// ASCII glyph lies in the atlas and how it sits on the pen. No GL here.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the font files may cost. The stock metrics are 8 KB and a full kerning
// table adds some 200 KB; the stock atlas is 512 x 279. An atlas side of 2048
// is the largest texture every GL the game runs on takes (WebGL 2's least).
constexpr uint64_t MaxFontMetricsBytes = 256 << 10;
constexpr int MaxFontAtlasSide = 2048;
// The atlas's header (with comments) and pixels.
constexpr uint64_t MaxFontAtlasBytes = 4096 + uint64_t(MaxFontAtlasSide) * MaxFontAtlasSide;

struct TFontGlyph {
  int X = 0, Y = 0, W = 0, H = 0;  // in the atlas, pixels, top row first
  int XOff = 0, YOff = 0;          // the bitmap's top left from the pen, y down
  float Advance = 0;               // where the pen goes next
};

struct TFontMetrics {
  int AtlasWidth = 0, AtlasHeight = 0;
  float Size = 0;     // the rendered height from ascent to descent, pixels
  float Ascent = 0;   // above the baseline, pixels at Size
  float Descent = 0;  // below it, negative
  int Spread = 1;     // pixels from the outline to distance 0 or 255
  std::array<TFontGlyph, 95> Glyphs{};  // ' ' to '~'
  std::vector<float> Kerning;           // 95 x 95, first char major; empty when none

  // The glyph of C; characters outside printable ASCII show as '?'.
  const TFontGlyph& Glyph(char C) const;
  // The pen's extra move between A and B.
  float Kern(char A, char B) const;
  // The width of Text at Height pixels from ascent to descent.
  float TextWidth(const char* Text, float Height) const;
};

// Reads the metrics text. False with Error ("line N: ...") for a line it
// cannot read, a glyph outside the atlas or missing sizes.
bool ParseFontMetrics(const std::string& Text, TFontMetrics& Metrics, std::string& Error);

// Reads a binary 8-bit PGM ("P5", maxval 255). False with Error when the
// bytes are not one, a side passes MaxFontAtlasSide, or they hold fewer
// pixels than the header says.
bool DecodePgm(const std::string& Bytes, int& Width, int& Height, std::vector<uint8_t>& Pixels, std::string& Error);

// Reads "Font.metrics" and "Font.pgm" from Folder within the budgets above:
// regular files only (a FIFO or device is refused, never waited on). False
// with Error naming the file and the reason.
bool ReadFontFiles(const std::string& Folder, TFontMetrics& Metrics, int& Width, int& Height,
                   std::vector<uint8_t>& Pixels, std::string& Error);
