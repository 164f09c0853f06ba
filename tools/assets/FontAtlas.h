// The font of the text on screen: the printable ASCII characters of a
// TrueType font rendered once, at build time, into one glyph atlas as a
// signed-distance field, with the metrics that place each glyph.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Where the atlas and its metrics go in the program's folder.
extern const char* const FontAtlasFile;    // 8-bit PGM, one distance a pixel
extern const char* const FontMetricsFile;  // text, read by host/FontMetrics

struct TBuiltFont {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;  // Width x Height, top row first; 128 is the outline
  std::string Metrics;          // the metrics file's text
};

// Renders the font file at FontPath. Throws std::runtime_error naming the
// file when it cannot be read or holds no usable font.
TBuiltFont BuildFontAtlas(const std::string& FontPath);

// The atlas as a binary PGM file.
std::string EncodePgm(int Width, int Height, const std::vector<uint8_t>& Pixels);
