// The picture's file name: the local date and time to the second, and a
// second picture within the same second beside the first, not over it; and
// never through a link planted where the next picture would go.
#include "Screenshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "PngFile.h"

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

TEST(Screenshot, APlantedLinkIsPassedOverAndNeverWrittenThrough) {
  setenv("TZ", "UTC", 1);
  tzset();
  namespace fs = std::filesystem;
  const std::string Folder = testing::TempDir() + "/pictures-link";
  fs::remove_all(Folder);
  fs::create_directories(Folder + "/Skyrend");
  const std::time_t Time = 1796738405;
  const std::string Target = Folder + "/elsewhere.png";
  const std::string Planted = Folder + "/Skyrend/skyrend-20261208-140005.png";
  fs::create_symlink(Target, Planted);  // dangling: stat says nothing is there
  EXPECT_EQ(ScreenshotPath(Folder, Time), Folder + "/Skyrend/skyrend-20261208-140005-2.png");
  // Even at the link's own name the picture is refused, not written through it.
  std::string Error;
  EXPECT_FALSE(WritePngFile(Planted, 1, 1, std::vector<uint8_t>(4, 255), TRowOrder::TopFirst, false, Error,
                            TPngOpen::NewFileOnly));
  EXPECT_FALSE(fs::exists(Target)) << Error;
  EXPECT_TRUE(fs::is_symlink(Planted));
  unsetenv("TZ");
  tzset();
}
