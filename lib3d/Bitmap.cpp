#include "Bitmap.h"

#include <stdexcept>

namespace {

uint16_t U16(const uint8_t* P) { return static_cast<uint16_t>(P[0] | (P[1] << 8)); }
uint32_t U32(const uint8_t* P) {
  return static_cast<uint32_t>(P[0]) | (static_cast<uint32_t>(P[1]) << 8) | (static_cast<uint32_t>(P[2]) << 16) |
         (static_cast<uint32_t>(P[3]) << 24);
}
int32_t I32(const uint8_t* P) { return static_cast<int32_t>(U32(P)); }

[[noreturn]] void Reject(const char* Text) { throw std::runtime_error(Text); }

}  // namespace

TBitmapLayout ReadBitmapLayout(const uint8_t* Header, size_t HeaderSize, uint64_t FileSize) {
  if (HeaderSize < 2 || U16(Header) != 0x4D42) Reject("Invalid Bitmap");
  if (HeaderSize < 18) Reject("Bitmap header incomplete");
  const uint32_t infoSize = U32(Header + 14);
  // 12 and 16 byte headers are the OS/2 kinds, laid out differently.
  if (infoSize < 40) Reject("Unsupported bitmap");
  if (HeaderSize < BitmapHeaderBytes) Reject("Bitmap header incomplete");

  const uint32_t offset = U32(Header + 10);
  const int32_t width = I32(Header + 18);
  const int32_t height = I32(Header + 22);
  const uint16_t planes = U16(Header + 26);
  const uint16_t bitsPerPixel = U16(Header + 28);
  const uint32_t compression = U32(Header + 30);
  if (planes != 1 || bitsPerPixel != 24 || compression != 0) Reject("Unsupported bitmap");
  if (width <= 0 || height == 0 || height == INT32_MIN) Reject("Invalid bitmap size");

  TBitmapLayout L;
  L.Width = width;
  L.TopDown = height < 0;
  L.Height = L.TopDown ? -height : height;
  if (static_cast<int64_t>(L.Width) * L.Height > MaxBitmapPixels) Reject("Range check error");

  L.PixelOffset = offset;
  L.RowStride = (static_cast<size_t>(L.Width) * 3 + 3) & ~static_cast<size_t>(3);
  // The last row need not carry its padding.
  L.PixelBytes = L.RowStride * (L.Height - 1) + static_cast<size_t>(L.Width) * 3;
  if (offset < 14 + static_cast<uint64_t>(infoSize)) Reject("Invalid Bitmap");
  if (offset > FileSize || FileSize - offset < L.PixelBytes) Reject("Bitmap pixel data incomplete");
  return L;
}

std::vector<uint8_t> DecodeBitmapPixels(const TBitmapLayout& L, const uint8_t* Pixels, bool Masked) {
  const size_t channels = Masked ? 4 : 3;
  const size_t w = static_cast<size_t>(L.Width), h = static_cast<size_t>(L.Height);
  // Stored row holding picture row y (0 = top).
  auto storedRow = [&](size_t y) { return Pixels + (L.TopDown ? y : h - 1 - y) * L.RowStride; };

  // The key colour is the picture's bottom-left pixel, stored blue-green-red.
  const uint8_t* key = storedRow(h - 1);
  const uint8_t keyR = key[2], keyG = key[1], keyB = key[0];

  std::vector<uint8_t> image(w * h * channels);
  uint8_t* out = image.data();
  for (size_t y = 0; y < h; ++y) {
    const uint8_t* in = storedRow(y);
    for (size_t x = 0; x < w; ++x, in += 3, out += channels) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      if (Masked) out[3] = (in[2] == keyR && in[1] == keyG && in[0] == keyB) ? 0 : 255;
    }
  }
  return image;
}

std::vector<uint8_t> DecodeBitmap(const uint8_t* Data, size_t Size, bool Masked, int32_t& Width, int32_t& Height) {
  const TBitmapLayout L = ReadBitmapLayout(Data, Size, Size);
  std::vector<uint8_t> image = DecodeBitmapPixels(L, Data + L.PixelOffset, Masked);
  Width = L.Width;
  Height = L.Height;
  return image;
}

TBitmapLayout ReadBitmapLayout(const TReadableFile& File) {
  uint8_t header[BitmapHeaderBytes] = {};
  const size_t headerSize = File.Size() < BitmapHeaderBytes ? static_cast<size_t>(File.Size()) : BitmapHeaderBytes;
  File.ReadAt(0, header, headerSize);
  return ReadBitmapLayout(header, headerSize, File.Size());
}

std::vector<uint8_t> DecodeBitmapFile(const TReadableFile& File, const TBitmapLayout& Layout, bool Masked) {
  // Only the rows the picture needs are read; the layout check bounds their size.
  std::vector<uint8_t> stored(Layout.PixelBytes);
  File.ReadAt(Layout.PixelOffset, stored.data(), stored.size());
  return DecodeBitmapPixels(Layout, stored.data(), Masked);
}

std::vector<uint8_t> LoadBitmapTexture(const std::string& Path, bool Masked, int32_t& Width, int32_t& Height) {
  const TReadableFile file(Path);
  const TBitmapLayout L = ReadBitmapLayout(file);
  std::vector<uint8_t> image = DecodeBitmapFile(file, L, Masked);
  Width = L.Width;
  Height = L.Height;
  return image;
}
