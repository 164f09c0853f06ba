#include "BoardPeriods.h"

#include <ctime>

bool PeriodStart(const std::string& Period, int64_t Now, int64_t& Since) {
  const int64_t Day = 86400;
  const int64_t Days = (Now >= 0 ? Now : Now - Day + 1) / Day;
  if (Period == "all") {
    Since = INT64_MIN;
  } else if (Period == "week") {
    // 1 January 1970 was a Thursday: three days after a Monday.
    Since = (Days - ((Days + 3) % 7 + 7) % 7) * Day;
  } else if (Period == "month") {
    const std::time_t T = static_cast<std::time_t>(Now);
    std::tm Tm{};
    gmtime_r(&T, &Tm);
    Since = (Days - (Tm.tm_mday - 1)) * Day;
  } else {
    return false;
  }
  return true;
}

std::string DateOf(int64_t Unix) {
  const std::time_t T = static_cast<std::time_t>(Unix);
  std::tm Tm{};
  gmtime_r(&T, &Tm);
  char Text[16];
  std::strftime(Text, sizeof Text, "%Y-%m-%d", &Tm);
  return Text;
}
