// Tokens and number conversion of the model text reader.
#include "ModelTokens.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ModelTokens, EverySingleSpaceEndsAToken) {
  const std::string line = "0  1.0 2.0";
  EXPECT_EQ(GetStringToken(line, 1), "0");
  EXPECT_EQ(GetStringToken(line, 2), "");  // between the two spaces
  EXPECT_EQ(GetStringToken(line, 3), "1.0");
  EXPECT_EQ(GetStringToken(line, 4), "2.0");
  EXPECT_EQ(GetStringToken(line, 5), "");  // past the last token
}

TEST(ModelTokens, LeadingSpaceMakesTheFirstTokenEmpty) {
  EXPECT_EQ(GetStringToken(" 5", 1), "");
  EXPECT_EQ(GetStringToken(" 5", 2), "5");
  EXPECT_EQ(GetFloatToken(" 5", 1), 0.0f);
}

TEST(ModelTokens, LineOfSpacesHasOnlyEmptyTokens) {
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(GetStringToken("   ", n), "");
    EXPECT_EQ(GetIntToken("   ", n), 0);
  }
}

TEST(ModelTokens, QuotesAndTabsAreOrdinaryCharacters) {
  // A quoted name with a space is cut at the space.
  EXPECT_EQ(GetStringToken("\"Bip01 Pelvis\" 0", 1), "\"Bip01");
  EXPECT_EQ(GetStringToken("\"Bip01 Pelvis\" 0", 2), "Pelvis\"");
  EXPECT_EQ(GetStringToken("a\tb c", 1), "a\tb");
  EXPECT_EQ(GetFloatToken("\t1.5", 1), 0.0f);
}

TEST(ModelTokens, OneCharacterLineIsOneToken) {
  EXPECT_EQ(GetStringToken("/", 1), "/");
  EXPECT_EQ(GetIntToken("7", 1), 7);
  EXPECT_EQ(GetStringToken("7", 2), "");
}

TEST(ModelTokens, FloatsUseTheFullStopAndOtherTextGivesZero) {
  EXPECT_FLOAT_EQ(TextToFloat("1.5"), 1.5f);
  EXPECT_FLOAT_EQ(TextToFloat("-0.25"), -0.25f);
  EXPECT_FLOAT_EQ(TextToFloat("+3"), 3.0f);
  EXPECT_FLOAT_EQ(TextToFloat("-2.25e1"), -22.5f);
  EXPECT_FLOAT_EQ(TextToFloat("5E-1"), 0.5f);
  EXPECT_FLOAT_EQ(TextToFloat(".5"), 0.5f);
  EXPECT_FLOAT_EQ(TextToFloat("16384.000000"), 16384.0f);
  for (const char* text : {"", "1,5", "abc", "1.5x", "Frames:", "\"1\"", "inf", "nan", "0x10", "-", ".", "1e", "1e+"})
    EXPECT_EQ(TextToFloat(text), 0.0f) << text;
}

TEST(ModelTokens, IntegersRoundHalvesToEven) {
  EXPECT_EQ(TextToInt("2.5"), 2);
  EXPECT_EQ(TextToInt("3.5"), 4);
  EXPECT_EQ(TextToInt("-2.5"), -2);
  EXPECT_EQ(TextToInt("-3.5"), -4);
  EXPECT_EQ(TextToInt("0.5"), 0);
  EXPECT_EQ(TextToInt("2.51"), 3);
  EXPECT_EQ(TextToInt("0.8"), 1);
  EXPECT_EQ(TextToInt("-1"), -1);
  EXPECT_EQ(TextToInt("1e-400"), 0);  // too small for any float: zero
  EXPECT_EQ(TextToInt("x"), 0);
}

TEST(ModelTokens, IntegersOutsideThirtyTwoBitsAreARangeError) {
  EXPECT_EQ(TextToInt("2147483647"), 2147483647);
  EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);
  for (const char* text : {"2147483648", "-2147483649", "1e10", "2147483647.5", "1e400"}) {
    try {
      TextToInt(text);
      ADD_FAILURE() << text << " was accepted";
    } catch (const std::range_error& e) {
      EXPECT_STREQ(e.what(), "Range check error") << text;
    }
  }
}

TEST(ModelTokens, StripQuotesRemovesFirstAndLastOfThreeOrMore) {
  EXPECT_EQ(StripQuotes("\"ab.bmp\""), "ab.bmp");
  EXPECT_EQ(StripQuotes("\"a\""), "a");
  EXPECT_EQ(StripQuotes("\"\""), "");
  EXPECT_EQ(StripQuotes("x"), "");
  EXPECT_EQ(StripQuotes("abc"), "b");  // the ends need not be quotes
}
