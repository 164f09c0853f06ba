// The browser build's stand-ins for the floating-point std::to_chars and
// std::from_chars must write and read exactly what the real ones do here:
// the trace's numbers are compared byte for byte with the native trace.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "FloatText.h"

namespace {

std::string Real(float V) {
  char Text[64];
  return std::string(Text, std::to_chars(Text, Text + sizeof Text, V).ptr);
}

std::string Ours(float V) {
  char Text[64];
  return std::string(Text, skyrend_compat::ShortestFloatText(Text, Text + sizeof Text, V));
}

}  // namespace

TEST(FloatText, WritesWhatToCharsWrites) {
  const float Special[] = {0.0f, -0.0f, 1.0f, -1.5f, 0.1f, 100.0f, 1e7f, 1.5e7f, 123456789.0f, 1e-5f, 0.0001f,
                           3.4028235e38f, 1.4e-45f, 1.17549435e-38f, 10.399982f, 2200.0f, 1e16f, 0.3f};
  for (float V : Special) EXPECT_EQ(Real(V), Ours(V)) << "bits of " << Real(V);
  std::mt19937 Random(7);
  for (int i = 0; i < 200000; ++i) {
    uint32_t Bits = Random();
    float V;
    std::memcpy(&V, &Bits, sizeof V);
    if (std::isnan(V)) continue;
    ASSERT_EQ(Real(V), Ours(V)) << "bits " << Bits;
  }
  // Game-sized values with few digits, where plain and exponent forms compete.
  for (int i = -20000; i <= 20000; ++i) ASSERT_EQ(Real(i * 0.05f), Ours(i * 0.05f));
}

TEST(FloatText, ReadsWhatFromCharsReads) {
  const char* const Texts[] = {"0", "1", "-2.5", "3.25e2", "1e-50", "1e50", "4e38", "0x1p3", "12abc",
                               "inf", "-nan", "", "-", "+1", " 1", "0.1000000000000000055511151231257827",
                               "1e-45", "7.0064923e-46", ".5", "5.", "1.17549435e-38"};
  for (const char* T : Texts) {
    float A = 9, B = 9;
    const auto R = std::from_chars(T, T + std::strlen(T), A);
    const auto O = skyrend_compat::ParseFloatText<float, skyrend_compat::StrToFloat>(T, T + std::strlen(T), B);
    EXPECT_EQ(R.ec, O.ec) << T;
    EXPECT_EQ(R.ptr - T, O.ptr - T) << T;
    if (!std::isnan(A)) {
      EXPECT_EQ(A, B) << T;
    }
  }
}
