// Pictures for textures and their file form: uncompressed 24-bit bitmaps
// with the 40-byte info header, pixel data at offset 54, bottom row first.
// Only sizes whose rows need no padding are written (width × 3 a multiple of 4).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TRgb {
  uint8_t R = 0, G = 0, B = 0;
};

// Pixels are stored top row first, as the picture is seen.
struct TImage {
  int Width = 0, Height = 0;
  std::vector<TRgb> Pixels;
  TImage() = default;
  TImage(int W, int H, TRgb Fill = {}) : Width(W), Height(H), Pixels(size_t(W) * H, Fill) {}
  TRgb& At(int X, int Y) { return Pixels[size_t(Y) * Width + X]; }
  const TRgb& At(int X, int Y) const { return Pixels[size_t(Y) * Width + X]; }
};

// The file bytes. Throws std::invalid_argument for a size the game cannot
// take: sides must be powers of two from 4 to 512.
std::vector<uint8_t> EncodeBitmap(const TImage& Image);
