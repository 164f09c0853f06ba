// The worst model files each budget of a load accepts start the game, and the
// same files one step past the budget are refused with the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "WorstLoads.h"

TEST(WorstLoads, EachBudgetsWorstSetStartsAndOneStepOverIsRefused) {
  const char* const Reasons[] = {"", "over 32768 triangles in all models", "over 65536 triangles drawn a frame",
                                 "textures of all models over 64 MB",
                                 "Name too long: over 4096 bytes", "over 1024 meshes drawn a frame", "file over 8 MB",
                                 "over 16777216 square units of surface drawn a frame",
                                 "over 65536 square units of surface in this model"};
  THeadlessContext Context(64, 48);
  for (const TWorstLoad Kind : WorstLoads) {
    for (const bool Over : {false, true}) {
      if (Kind == TWorstLoad::Stock && Over) continue;
      SCOPED_TRACE(std::string(WorstLoadName(Kind)) + (Over ? ", one over" : ""));
      const std::string Folder = testing::TempDir() + "/worst-load";
      std::filesystem::remove_all(Folder);
      std::filesystem::create_directories(Folder);
      WriteWorstLoad(Kind, Over, DefaultProgramFolder(), Folder);
      THeadlessHost Sim(64, 48, Folder);
      EXPECT_EQ(Sim.StartUp(), !Over);
      const std::string Said = Sim.Messages.Messages.empty() ? "" : Sim.Messages.Messages.back();
      if (Over) {
        EXPECT_NE(Said.find(Reasons[int(Kind)]), std::string::npos) << Said;
      }
      std::filesystem::remove_all(Folder);
    }
  }
}
