// The bitmaps the generator writes: the one layout the game's texture reader
// takes, checked byte by byte, and the encoder on a small example.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "AssetWriter.h"
#include "Bitmap.h"
#include "BitmapWriter.h"

namespace {

uint32_t Le32(const std::vector<uint8_t>& B, size_t At) {
  return uint32_t(B[At]) | uint32_t(B[At + 1]) << 8 | uint32_t(B[At + 2]) << 16 | uint32_t(B[At + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& B, size_t At) { return uint16_t(B[At] | B[At + 1] << 8); }

std::vector<uint8_t> ReadFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool PowerOfTwoUpTo512(uint32_t N) { return N >= 1 && N <= 512 && (N & (N - 1)) == 0; }

TEST(BitmapFiles, EveryNamedBitmapIsAnUncompressed24BitFileOfTheAcceptedKind) {
  const std::vector<std::string> names = NamedTextures();
  ASSERT_FALSE(names.empty());
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> file = ReadFile(std::string(SKYREND_PROGRAM_DIR) + "/" + name);
    ASSERT_GE(file.size(), 54u) << "missing or truncated";
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 10), 54u) << "pixel data offset";
    EXPECT_EQ(Le32(file, 14), 40u) << "info header size";
    const uint32_t width = Le32(file, 18), height = Le32(file, 22);
    EXPECT_TRUE(PowerOfTwoUpTo512(width)) << width;
    EXPECT_TRUE(PowerOfTwoUpTo512(height)) << height;  // also rules out a negative (top-down) height
    EXPECT_EQ(Le16(file, 26), 1);
    EXPECT_EQ(Le16(file, 28), 24);
    EXPECT_EQ(Le32(file, 30), 0u) << "compression";
    EXPECT_EQ(Le32(file, 46), 0u) << "colour table";
    EXPECT_EQ(width * 3 % 4, 0u) << "rows must carry no padding";
    EXPECT_EQ(file.size(), 54u + size_t(width) * height * 3);
    int32_t w = 0, h = 0;
    EXPECT_NO_THROW(DecodeBitmap(file.data(), file.size(), false, w, h));
    EXPECT_EQ(uint32_t(w), width);
    EXPECT_EQ(uint32_t(h), height);
  }
}

TEST(BitmapWriter, StoresTheBottomRowFirstInBlueGreenRedOrder) {
  TImage image(4, 4, {10, 20, 30});
  image.At(0, 0) = {255, 0, 0};  // top-left: red
  image.At(0, 3) = {0, 0, 255};  // bottom-left: blue
  const std::vector<uint8_t> file = EncodeBitmap(image);
  ASSERT_EQ(file.size(), 54u + 4 * 4 * 3);
  // The first stored pixel is the bottom-left one, blue: bytes B, G, R.
  EXPECT_EQ(file[54], 255);
  EXPECT_EQ(file[55], 0);
  EXPECT_EQ(file[56], 0);
  // The last stored row is the top row; its first pixel is red.
  const size_t topRow = 54 + 3 * 4 * 3;
  EXPECT_EQ(file[topRow], 0);
  EXPECT_EQ(file[topRow + 2], 255);
  // The game's decoder turns it back into the picture, top row first.
  int32_t w = 0, h = 0;
  const std::vector<uint8_t> rgb = DecodeBitmap(file.data(), file.size(), false, w, h);
  EXPECT_EQ(rgb[0], 255);
  EXPECT_EQ(rgb[3 * 12 + 2], 255);
}

TEST(BitmapWriter, RefusesSizesTheGameCannotTake) {
  EXPECT_THROW(EncodeBitmap(TImage(6, 8)), std::invalid_argument);
  EXPECT_THROW(EncodeBitmap(TImage(1024, 4)), std::invalid_argument);
  EXPECT_THROW(EncodeBitmap(TImage(2, 2)), std::invalid_argument);  // a 6-byte row would need padding
  EXPECT_NO_THROW(EncodeBitmap(TImage(512, 512)));
}

}  // namespace
