// Decoding of uncompressed 24-bit bitmap files into texture images, apart
// from any GL call so that it can be checked on bytes.
//
// Accepted: signature "BM", an info header of 40 bytes or more, 1 plane,
// 24 bits per pixel, no compression, the pixel data at the offset given by the
// file header, rows padded to 4 bytes, stored bottom-up (positive height) or
// top-down (negative height), at most MaxBitmapPixels pixels. Anything else is
// rejected with a std::runtime_error whose text names the reason, before any
// buffer is sized from the header.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ReadableFile.h"

constexpr int64_t MaxBitmapPixels = 262145;
// Bytes of the file and info headers that decoding reads.
constexpr size_t BitmapHeaderBytes = 54;

struct TBitmapLayout {
  int32_t Width = 0;
  int32_t Height = 0;       // rows of the picture (always positive)
  bool TopDown = false;     // rows stored top row first
  uint32_t PixelOffset = 0; // where the first stored row starts in the file
  size_t RowStride = 0;     // bytes from one stored row to the next
  size_t PixelBytes = 0;    // bytes from PixelOffset that decoding reads
};

// Checks the headers (at least the first BitmapHeaderBytes of the file, or the
// whole file when it is shorter) against a file of FileSize bytes.
TBitmapLayout ReadBitmapLayout(const uint8_t* Header, size_t HeaderSize, uint64_t FileSize);

// Turns stored pixel rows (Layout.PixelBytes bytes) into an image with the top
// row first and no gaps: R, G, B per pixel, or R, G, B, A when Masked, with
// A = 0 where the pixel equals the picture's bottom-left pixel and 255 elsewhere.
std::vector<uint8_t> DecodeBitmapPixels(const TBitmapLayout& Layout, const uint8_t* Pixels, bool Masked);

// Both steps on a whole file held in memory.
std::vector<uint8_t> DecodeBitmap(const uint8_t* Data, size_t Size, bool Masked, int32_t& Width, int32_t& Height);

// The same steps on an opened file: the headers first, so that a caller can
// weigh the picture's size before its rows are read and decoded.
TBitmapLayout ReadBitmapLayout(const TReadableFile& File);
std::vector<uint8_t> DecodeBitmapFile(const TReadableFile& File, const TBitmapLayout& Layout, bool Masked);

// Opens the file at Path and decodes it. Throws std::runtime_error ("File not
// found", "Is a directory", "Invalid Bitmap", "Unsupported bitmap", "Range
// check error", ...).
std::vector<uint8_t> LoadBitmapTexture(const std::string& Path, bool Masked, int32_t& Width, int32_t& Height);
