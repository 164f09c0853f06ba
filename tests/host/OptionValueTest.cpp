// The developer programs' option values: the message names the option, the
// range with the one limit on a side, and the bad part of the value.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "OptionValue.h"

namespace {

std::string SizeError(const std::string& Text, int MinSide) {
  int W = 0, H = 0;
  try {
    SizeOption(Text, MinSide, W, H);
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return std::to_string(W) + "x" + std::to_string(H);
}

}  // namespace

TEST(OptionValue, SizeMessagesNameTheBadSideAndTheRange) {
  EXPECT_EQ(SizeError("640x480", 1), "640x480");
  EXPECT_EQ(SizeError("640", 1), "--size needs WxH, not \"640\"");
  EXPECT_EQ(SizeError("8x600", 16), "--size width must be a whole number in 16..16384, not \"8\"");
  EXPECT_EQ(SizeError("640x20000", 16), "--size height must be a whole number in 16..16384, not \"20000\"");
  EXPECT_EQ(SizeError("8x20000", 16), "--size width must be a whole number in 16..16384, not \"8\"");
  EXPECT_EQ(WholeOption("7", 1, 10, "--n"), 7);
  EXPECT_THROW(WholeOption("7\x1b", 1, 10, "--n"), std::invalid_argument);
}
