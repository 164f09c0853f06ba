// The picture's file name: the local date and time to the second, and a
// second picture within the same second beside the first, not over it.
#include "Screenshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

TEST(Screenshot, NamedByLocalTimeAndNeverOverAnEarlierOne) {
  setenv("TZ", "UTC", 1);
  tzset();
  const std::string Folder = testing::TempDir() + "/pictures";
  std::filesystem::remove_all(Folder);
  const std::time_t Time = 1796738405;  // 2026-12-08 14:00:05 UTC
  const std::string First = ScreenshotPath(Folder, Time);
  EXPECT_EQ(First, Folder + "/Skyrend/skyrend-20261208-140005.png");
  std::filesystem::create_directories(Folder + "/Skyrend");
  std::FILE* F = std::fopen(First.c_str(), "w");
  ASSERT_TRUE(F);
  std::fclose(F);
  EXPECT_EQ(ScreenshotPath(Folder, Time), Folder + "/Skyrend/skyrend-20261208-140005-2.png");
  unsetenv("TZ");
  tzset();
}
