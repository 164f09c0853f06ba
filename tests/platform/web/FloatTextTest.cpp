// The browser build's stand-in for the floating-point std::to_chars must write
// exactly what the real one does here: the trace's numbers are compared byte
// for byte with the native trace.
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
