// Bitmap decoding on bytes built in the test.
#include "Bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "Lib3DTestSupport.h"

namespace {

struct TDecoded {
  std::vector<uint8_t> Image;
  int32_t Width = -1, Height = -1;
  std::string Error;
};

TDecoded Decode(const std::vector<uint8_t>& File, bool Masked = false) {
  TDecoded d;
  try {
    d.Image = DecodeBitmap(File.data(), File.size(), Masked, d.Width, d.Height);
  } catch (const std::runtime_error& e) {
    d.Error = e.what();
  }
  return d;
}

// Expected image bytes, R G B per pixel, top row first.
std::vector<uint8_t> Rgb(std::initializer_list<uint32_t> Pixels) {
  std::vector<uint8_t> out;
  for (uint32_t c : Pixels) {
    out.push_back(c >> 16);
    out.push_back((c >> 8) & 0xFF);
    out.push_back(c & 0xFF);
  }
  return out;
}

}  // namespace

TEST(Bitmap, RowsComeTopFirstInRedGreenBlueOrder) {
  TBitmapRecipe s;
  s.Width = 4;
  s.Height = 2;
  // Stored row A (the picture's bottom), then row B.
  s.Pixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x112233, 0x445566, 0x778899, 0xAABBCC};
  const std::vector<uint8_t> file = MakeBitmap(s);
  // Stored blue first.
  EXPECT_EQ(file[54], 0x03);
  EXPECT_EQ(file[56], 0x01);
  const TDecoded d = Decode(file);
  ASSERT_EQ(d.Error, "");
  EXPECT_EQ(d.Width, 4);
  EXPECT_EQ(d.Height, 2);
  EXPECT_EQ(d.Image, Rgb({0x112233, 0x445566, 0x778899, 0xAABBCC, 0x010203, 0x040506, 0x070809, 0x0A0B0C}));
}

TEST(Bitmap, HeightOneStaysAndHeightThreeKeepsItsMiddleRow) {
  TBitmapRecipe one;
  one.Width = 4;
  one.Height = 1;
  one.Pixels = {0xA00001, 0xA00002, 0xA00003, 0xA00004};
  EXPECT_EQ(Decode(MakeBitmap(one)).Image, Rgb({0xA00001, 0xA00002, 0xA00003, 0xA00004}));

  TBitmapRecipe three;
  three.Width = 4;
  three.Height = 3;
  three.Pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  EXPECT_EQ(Decode(MakeBitmap(three)).Image, Rgb({9, 10, 11, 12, 5, 6, 7, 8, 1, 2, 3, 4}));
}

TEST(Bitmap, MaskedKeyIsTheBottomLeftPixelExactly) {
  TBitmapRecipe s;
  s.Width = 4;
  s.Height = 4;
  const uint32_t magenta = 0xFF00FF;
  s.Pixels = {magenta,  0xFE00FF, 0xFF01FF, 0xFF00FE,   // bottom row: key, then near misses
              0x000000, magenta,  0xFFFFFF, 0x00FF00,   //
              magenta,  magenta,  0x7F007F, 0xFF0000,   //
              0x0000FF, 0xFF00FF, 0x010101, magenta};   // top row
  const TDecoded d = Decode(MakeBitmap(s), true);
  ASSERT_EQ(d.Error, "");
  ASSERT_EQ(d.Image.size(), 4u * 4u * 4u);
  const uint8_t alpha[16] = {255, 0, 255, 0,    // top row
                             0, 0, 255, 255,    //
                             255, 0, 255, 255,  //
                             0, 255, 255, 255}; // bottom row
  for (int i = 0; i < 16; ++i) EXPECT_EQ(d.Image[i * 4 + 3], alpha[i]) << "pixel " << i;
  // Colours pass through unchanged: bottom-left is magenta, its neighbour 0xFE00FF.
  EXPECT_EQ(d.Image[12 * 4 + 0], 0xFF);
  EXPECT_EQ(d.Image[12 * 4 + 1], 0x00);
  EXPECT_EQ(d.Image[13 * 4 + 0], 0xFE);
  EXPECT_EQ(d.Image[13 * 4 + 2], 0xFF);
}

TEST(Bitmap, PixelLimit) {
  const TDecoded fits = Decode(SolidBitmap(512, 512, 0x102030));
  ASSERT_EQ(fits.Error, "");
  EXPECT_EQ(fits.Image.size(), 512u * 512u * 3u);
  EXPECT_EQ(fits.Image[3 * 1000 + 2], 0x30);
  EXPECT_EQ(Decode(SolidBitmap(1024, 512, 0x102030)).Error, "Range check error");
  EXPECT_EQ(Decode(SolidBitmap(262145, 1, 0x102030)).Error, "");
  EXPECT_EQ(Decode(SolidBitmap(262146, 1, 0x102030)).Error, "Range check error");
}

TEST(Bitmap, SignatureMustBeBM) {
  std::vector<uint8_t> file = SolidBitmap(4, 4, 0);
  file[0] = 'X';
  EXPECT_EQ(Decode(file).Error, "Invalid Bitmap");
  file[0] = 'B';
  file[1] = 'A';
  EXPECT_EQ(Decode(file).Error, "Invalid Bitmap");
  EXPECT_EQ(Decode({}).Error, "Invalid Bitmap");
  EXPECT_EQ(Decode({'B'}).Error, "Invalid Bitmap");
}

TEST(Bitmap, PaddedRowsOffsetsAndBiggerHeadersDecode) {
  TBitmapRecipe s;
  s.Width = 3;  // 9 bytes a row, padded to 12
  s.Height = 2;
  s.Pixels = {0x010101, 0x020202, 0x030303, 0x0A0A0A, 0x0B0B0B, 0x0C0C0C};
  const auto expected = Rgb({0x0A0A0A, 0x0B0B0B, 0x0C0C0C, 0x010101, 0x020202, 0x030303});
  EXPECT_EQ(Decode(MakeBitmap(s)).Image, expected);
  s.InfoSize = 124;  // the newest header kind
  EXPECT_EQ(Decode(MakeBitmap(s)).Image, expected);
  s.InfoSize = 40;
  s.Gap = 1024;  // a colour table the picture does not use
  EXPECT_EQ(Decode(MakeBitmap(s)).Image, expected);
}

TEST(Bitmap, TopDownRowsDecodeToTheSamePicture) {
  TBitmapRecipe s;
  s.Width = 2;
  s.Height = 3;
  s.TopDown = true;
  s.Pixels = {0x110000, 0x220000, 0x330000, 0x440000, 0xFF00FF, 0x660000};  // top row stored first
  const TDecoded d = Decode(MakeBitmap(s), true);
  ASSERT_EQ(d.Error, "");
  EXPECT_EQ(d.Height, 3);
  // Top row first; the key is the picture's bottom-left pixel, stored last here.
  const uint8_t expected[] = {0x11, 0, 0, 255, 0x22, 0, 0, 255, 0x33, 0, 0, 255,
                              0x44, 0, 0, 255, 0xFF, 0, 0xFF, 0, 0x66, 0, 0, 255};
  EXPECT_EQ(d.Image, std::vector<uint8_t>(std::begin(expected), std::end(expected)));
}

TEST(Bitmap, ExtraPixelBytesAreIgnoredAndMissingOnesRejected) {
  std::vector<uint8_t> file = SolidBitmap(4, 2, 0x445566);
  file.resize(file.size() + 100, 0xEE);
  EXPECT_EQ(Decode(file).Image, Rgb({0x445566, 0x445566, 0x445566, 0x445566, 0x445566, 0x445566, 0x445566,
                                     0x445566}));
  file = SolidBitmap(4, 2, 0x445566);
  file.pop_back();
  EXPECT_EQ(Decode(file).Error, "Bitmap pixel data incomplete");
  file.resize(54);
  EXPECT_EQ(Decode(file).Error, "Bitmap pixel data incomplete");
  file.resize(40);
  EXPECT_EQ(Decode(file).Error, "Bitmap header incomplete");
  file.resize(14);
  EXPECT_EQ(Decode(file).Error, "Bitmap header incomplete");
}

TEST(Bitmap, OtherKindsAreRejected) {
  TBitmapRecipe s;
  s.Width = 4;
  s.Height = 4;
  s.BitsPerPixel = 32;
  EXPECT_EQ(Decode(MakeBitmap(s)).Error, "Unsupported bitmap");
  s.BitsPerPixel = 8;
  EXPECT_EQ(Decode(MakeBitmap(s)).Error, "Unsupported bitmap");
  s.BitsPerPixel = 24;
  s.Compression = 1;
  EXPECT_EQ(Decode(MakeBitmap(s)).Error, "Unsupported bitmap");
  s.Compression = 0;
  s.InfoSize = 12;  // the old OS/2 header
  EXPECT_EQ(Decode(MakeBitmap(s)).Error, "Unsupported bitmap");
  s.InfoSize = 40;
  s.Width = 0;
  EXPECT_EQ(Decode(MakeBitmap(s)).Error, "Invalid bitmap size");
  s.Width = 4;
  s.Height = 0;
  EXPECT_EQ(Decode(MakeBitmap(s)).Error, "Invalid bitmap size");
  // A pixel offset inside the headers.
  std::vector<uint8_t> file = SolidBitmap(4, 4, 0);
  PutU32(file, 10, 20);
  EXPECT_EQ(Decode(file).Error, "Invalid Bitmap");
}

TEST(Bitmap, HeaderAloneDecidesAboutSize) {
  // A header claiming 60000 x 60000 pixels is refused on its 54 bytes, before
  // anything is sized from it.
  std::vector<uint8_t> file = SolidBitmap(1, 1, 0);
  PutU32(file, 18, 60000);
  PutU32(file, 22, 60000);
  try {
    ReadBitmapLayout(file.data(), BitmapHeaderBytes, 10800000054ull);
    ADD_FAILURE() << "accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Range check error");
  }
}

TEST(Bitmap, LoadBitmapTextureReadsTheFile) {
  TTempDir dir;
  TBitmapRecipe s;
  s.Width = 3;
  s.Height = 2;
  s.Pixels = {0xFF00FF, 2, 3, 4, 5, 0xFF00FF};
  dir.Write("t.bmp", MakeBitmap(s));
  int32_t w = 0, h = 0;
  const std::vector<uint8_t> image = LoadBitmapTexture(dir.File("t.bmp"), true, w, h);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  const uint8_t expected[] = {0, 0, 4, 255, 0, 0, 5, 255, 0xFF, 0, 0xFF, 0,
                              0xFF, 0, 0xFF, 0, 0, 0, 2, 255, 0, 0, 3, 255};
  EXPECT_EQ(image, std::vector<uint8_t>(std::begin(expected), std::end(expected)));
  try {
    LoadBitmapTexture(dir.File("none.bmp"), false, w, h);
    ADD_FAILURE() << "accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
}
