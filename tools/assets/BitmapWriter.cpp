#include "BitmapWriter.h"

#include <stdexcept>

#include "ByteWriter.h"

namespace {

bool IsPowerOfTwo(int N) { return N > 0 && (N & (N - 1)) == 0; }

}  // namespace

std::vector<uint8_t> EncodeBitmap(const TImage& Image) {
  // Powers of two from 4 up make every row a multiple of 4 bytes, so no padding.
  for (int side : {Image.Width, Image.Height})
    if (!IsPowerOfTwo(side) || side < 4 || side > 512)
      throw std::invalid_argument("bitmap sides must be powers of two from 4 to 512");
  const uint32_t pixelBytes = uint32_t(Image.Width) * uint32_t(Image.Height) * 3;
  std::vector<uint8_t> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + pixelBytes);  // file size
  Put32(out, 0);                // reserved
  Put32(out, 54);               // pixel data offset
  Put32(out, 40);               // info header size
  Put32(out, uint32_t(Image.Width));
  Put32(out, uint32_t(Image.Height));
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  Put32(out, 0);   // no compression
  Put32(out, pixelBytes);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);  // no colour table
  Put32(out, 0);
  for (int y = Image.Height - 1; y >= 0; --y)
    for (int x = 0; x < Image.Width; ++x) {
      const TRgb& p = Image.At(x, y);
      out.push_back(p.B);
      out.push_back(p.G);
      out.push_back(p.R);
    }
  return out;
}
