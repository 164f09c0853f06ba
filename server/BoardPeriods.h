// The board's periods, in UTC: all time, this month (from the 1st) and this
// week (from Monday).
#pragma once
#include <cstdint>
#include <string>

// The Unix second a period begins at, for a board read at Now; false for a
// period with another name than "all", "month" or "week".
bool PeriodStart(const std::string& Period, int64_t Now, int64_t& Since);

// "YYYY-MM-DD" of a Unix second, in UTC.
std::string DateOf(int64_t Unix);
