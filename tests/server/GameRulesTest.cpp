// The checks made before a game is queued, and the board's periods.
#include <gtest/gtest.h>

#include "BoardPeriods.h"
#include "GameRules.h"

TEST(GameRules, NamesAreOneToSixteenPlainCharacters) {
  const struct {
    const char* Name;
    bool Good;
  } Cases[] = {
      {"A", true}, {"Ann-Marie_2.0 x", true}, {"sixteen chars ok", true},
      {"", false}, {"seventeen chars x", false}, {" Ann", false}, {"Ann ", false},
      {"A\x01" "B", false}, {"A\nB", false}, {"x'; DROP TABLE games;--", false}, {"Zo\xc3\xab", false},
      {"<b>", false},
  };
  for (const auto& C : Cases) EXPECT_EQ(NameFault(C.Name).empty(), C.Good) << C.Name;
}

TEST(GameRules, DemoTextHoldsNoControlOrHighBytes) {
  EXPECT_TRUE(DemoTextFault("# header\r\n1 tick 40\t\n").empty());
  EXPECT_FALSE(DemoTextFault("").empty());
  EXPECT_FALSE(DemoTextFault(std::string("1 tick\0 40", 10)).empty());
  EXPECT_FALSE(DemoTextFault("1 tick 40 \xff").empty());
  // The same demo with other line ends is the same demo on the board.
  EXPECT_EQ(DemoHash("a\r\nb\r\n"), DemoHash("a\nb\n"));
  EXPECT_NE(DemoHash("a\nb\n"), DemoHash("a\nc\n"));
}

TEST(BoardPeriods, WeekFromMondayMonthFromTheFirstInUtc) {
  const struct {
    const char* Period;
    int64_t Now, Since;
  } Cases[] = {
      {"week", 1796731200, 1796601600},   // Tuesday 8 December 2026, noon: Monday the 7th
      {"week", 1796601600, 1796601600},   // Monday at midnight begins its own week
      {"week", 1796601599, 1795996800},   // the Sunday before: Monday 30 November
      {"month", 1796731200, 1796083200},  // 1 December
      {"month", 1796083199, 1793491200},  // a second before: 1 November
  };
  for (const auto& C : Cases) {
    int64_t Since = 0;
    ASSERT_TRUE(PeriodStart(C.Period, C.Now, Since));
    EXPECT_EQ(Since, C.Since) << C.Period << " at " << C.Now;
  }
  int64_t Since = 0;
  EXPECT_FALSE(PeriodStart("year", 0, Since));
  EXPECT_EQ(DateOf(1796731200), "2026-12-08");
}
