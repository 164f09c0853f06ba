// The data folder: beside the executable when the data is there, else the
// installed layout's share/skyrend.
#include "DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

TEST(DataFolder, BesideTheExecutableFirstThenShareSkyrendThenTheExecutablesFolder) {
  const fs::path Root = fs::temp_directory_path() / ("skyrend-data-" + std::to_string(::getpid()));
  fs::remove_all(Root);
  fs::create_directories(Root / "bin");
  const std::string Bin = (Root / "bin").string();
  EXPECT_EQ(DataFolderFor(Bin), Bin) << "nothing anywhere: the missing files are reported there";

  fs::create_directories(Root / "share" / "skyrend");
  EXPECT_EQ(DataFolderFor(Bin), (Root / "share" / "skyrend").string());

  std::ofstream(Root / "bin" / "GameText.txt") << "x";
  EXPECT_EQ(DataFolderFor(Bin), Bin);
  fs::remove_all(Root);
}
