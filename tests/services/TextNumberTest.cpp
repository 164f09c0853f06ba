// The one number reader: floating point read exactly as std::from_chars reads
// it (the browser build reads with it too), and a number only when it is the whole text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "TextNumber.h"

TEST(TextNumber, ReadsFloatsAsFromCharsReadsThem) {
  const char* const Texts[] = {"0", "1", "-2.5", "3.25e2", "1e-50", "1e50", "4e38", "0x1p3", "12abc",
                               "inf", "-nan", "", "-", "+1", " 1", "0.1000000000000000055511151231257827",
                               "1e-45", "7.0064923e-46", ".5", "5.", "1.17549435e-38"};
  for (const char* T : Texts) {
    float A = 9, B = 9;
    const auto R = std::from_chars(T, T + std::strlen(T), A);
    const auto O = ReadFloatText(T, T + std::strlen(T), B);
    EXPECT_EQ(R.ec, O.ec) << T;
    EXPECT_EQ(R.ptr - T, O.ptr - T) << T;
    if (!std::isnan(A)) {
      EXPECT_EQ(A, B) << T;
    }
  }
}

TEST(TextNumber, ANumberIsTheWholeTextAndTooLargeIsToldApart) {
  struct TCase {
    const char* Text;
    TNumberRead Int, Double;
  };
  using R = TNumberRead;
  const TCase Cases[] = {{"42", R::Read, R::Read},          {"-7", R::Read, R::Read},
                         {"0.25", R::NotANumber, R::Read},  {"", R::NotANumber, R::NotANumber},
                         {" 1", R::NotANumber, R::NotANumber}, {"1 ", R::NotANumber, R::NotANumber},
                         {"+1", R::NotANumber, R::NotANumber}, {"0x10", R::NotANumber, R::NotANumber},
                         {"3000000000", R::OutOfRange, R::Read}, {"1e999", R::NotANumber, R::OutOfRange},
                         {"99999999999x", R::NotANumber, R::NotANumber}};
  for (const TCase& C : Cases) {
    int32_t I = 0;
    double D = 0;
    EXPECT_EQ(ReadWholeText(C.Text, I), C.Int) << C.Text;
    EXPECT_EQ(ReadWholeText(C.Text, D), C.Double) << C.Text;
  }
}
