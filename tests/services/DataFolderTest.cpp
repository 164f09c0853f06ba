// The data folder: beside the executable when the data is there, else the
// games layout's share/games/skyrend or a prefix's share/skyrend.
#include "DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

TEST(DataFolder, BesideTheExecutableFirstThenTheSharedFolderThatHoldsTheData) {
  const fs::path Root = fs::temp_directory_path() / ("skyrend-data-" + std::to_string(::getpid()));
  fs::remove_all(Root);
  fs::create_directories(Root / "bin");
  const std::string Bin = (Root / "bin").string();
  const fs::path Games = Root / "share" / "games" / "skyrend", Plain = Root / "share" / "skyrend";
  EXPECT_EQ(DataFolderFor(Bin), Bin) << "nothing anywhere: the missing files are reported there";

  fs::create_directories(Plain);
  EXPECT_EQ(DataFolderFor(Bin), Plain.string());
  fs::create_directories(Games);
  EXPECT_EQ(DataFolderFor(Bin), Games.string()) << "neither holds the data: the games layout's";
  std::ofstream(Plain / "GameText.txt") << "x";
  EXPECT_EQ(DataFolderFor(Bin), Plain.string()) << "an empty games folder must not hide the data";
  std::ofstream(Games / "GameText.txt") << "x";
  EXPECT_EQ(DataFolderFor(Bin), Games.string());

  std::ofstream(Root / "bin" / "GameText.txt") << "x";
  EXPECT_EQ(DataFolderFor(Bin), Bin);
  fs::remove_all(Root);
}
