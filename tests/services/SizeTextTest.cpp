// "WxH" read one way everywhere, with one limit on a side.
#include <gtest/gtest.h>

#include "SizeText.h"

TEST(SizeText, ReadsWxHWithinTheOneLimitAndSaysWhichSideIsBad) {
  struct TCase {
    const char* Text;
    TSizeRead Read;
    int W, H;
  };
  using R = TSizeRead;
  const TCase Cases[] = {{"640x480", R::Read, 640, 480},      {"800 X 600", R::Read, 800, 600},
                         {"16384x16384", R::Read, 16384, 16384}, {"16385x480", R::BadWidth, 0, 0},
                         {"640x16385", R::BadHeight, 0, 0},   {"0x480", R::BadWidth, 0, 0},
                         {"+640x480", R::BadWidth, 0, 0},     {"640x", R::BadHeight, 0, 0},
                         {"640x480x2", R::BadHeight, 0, 0},   {"640", R::NoSeparator, 0, 0}};
  for (const TCase& C : Cases) {
    int W = 0, H = 0;
    EXPECT_EQ(ReadSizeText(C.Text, 1, W, H), C.Read) << C.Text;
    EXPECT_EQ(W, C.W) << C.Text;
    EXPECT_EQ(H, C.H) << C.Text;
  }
}
