// Files an attacker plants where the game reads: a FIFO (which would block a
// reader for ever) and a link to a device (which never ends) are refused by
// every reader and by the demo recorder with the reason, and so is a font
// atlas beyond its budget. A reader that waited would hang this test.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FontMetrics.h"
#include "GameHost.h"
#include "HeadlessHost.h"
#include "ScriptFormat.h"
#include "TextFile.h"

namespace {

const std::string Folder = testing::TempDir() + "/hostile-files";

// A copy of the stock font files in a folder of its own.
std::string FontFolder() {
  const std::string At = Folder + "/font";
  mkdir(Folder.c_str(), 0755);
  mkdir(At.c_str(), 0755);
  for (const char* Name : {"/Font.metrics", "/Font.pgm"}) {
    std::string Text, Error;
    EXPECT_TRUE(ReadTextFile(DefaultProgramFolder() + Name, Text, Error)) << Error;
    std::remove((At + Name).c_str());
    EXPECT_TRUE(WriteNewTextFile(At + Name, Text, Error)) << Error;
  }
  return At;
}

// The reason each reader gives for Path ("" when it takes the file).
struct TReader {
  const char* Name;
  std::function<std::string(const std::string& Path)> Refusal;
};

std::string FontRefusal(const std::string& Path) {
  TFontMetrics M;
  int W, H;
  std::vector<uint8_t> Pixels;
  std::string Error;
  return ReadFontFiles(Path.substr(0, Path.rfind('/')), M, W, H, Pixels, Error) ? "" : Error;
}

// What a reader that throws says, or "" when it took the file.
template <typename TRead>
std::string Refusal(TRead Read) {
  try {
    Read();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

const std::vector<TReader> Readers = {
    {"player file", [](const std::string& Path) {
       std::string Text, Error;
       return ReadTextFile(Path, Text, Error) ? "" : Error;
     }},
    {"script or demo", [](const std::string& Path) { return Refusal([&] { ReadScriptText(Path); }); }},
    {"demo to record", [](const std::string& Path) { return Refusal([&] { CreateDemoFile(Path); }); }},
    {"font metrics", FontRefusal},
    {"font atlas", FontRefusal},
};

}  // namespace

TEST(HostileFiles, AFifoOrADeviceIsRefusedByEveryReaderWithoutWaiting) {
  for (const TReader& Reader : Readers) {
    const std::string Font = FontFolder();
    const std::string Name = Reader.Name;
    const std::string Path = Name == "font metrics" ? Font + "/Font.metrics"
                             : Name == "font atlas" ? Font + "/Font.pgm"
                                                    : Folder + "/planted";
    for (const bool Fifo : {true, false}) {
      std::remove(Path.c_str());
      ASSERT_EQ(Fifo ? mkfifo(Path.c_str(), 0600) : symlink("/dev/zero", Path.c_str()), 0) << Path;
      const std::string Refusal = Reader.Refusal(Path);
      EXPECT_NE(Refusal.find("Not a regular file"), std::string::npos)
          << Name << (Fifo ? ", FIFO: " : ", /dev/zero: ") << Refusal;
    }
    std::remove(Path.c_str());
  }
}

TEST(HostileFiles, AFontAtlasBeyondItsBudgetIsRefusedBeforeItsPixelsAreRead) {
  const std::string Font = FontFolder();
  std::string Metrics, Error;
  ASSERT_TRUE(ReadTextFile(Font + "/Font.metrics", Metrics, Error));
  const size_t Line = Metrics.find("\natlas ") + 1;
  Metrics.replace(Line, Metrics.find('\n', Line) - Line, "atlas 8192 8192");
  ASSERT_TRUE(WriteTextFileAtomically(Font + "/Font.metrics", Metrics, Error)) << Error;
  EXPECT_NE(FontRefusal(Font + "/Font.metrics").find("Font.metrics: line"), std::string::npos);
  EXPECT_NE(FontRefusal(Font + "/Font.metrics").find("atlas larger than 2048 x 2048"), std::string::npos);
  // The picture's header alone: its size is refused before the pixels are looked for.
  int W, H;
  std::vector<uint8_t> Pixels;
  EXPECT_FALSE(DecodePgm("P5\n8192 8192\n255\n", W, H, Pixels, Error));
  EXPECT_EQ(Error, "atlas larger than 2048 x 2048");
  // The file's bytes are bounded too, whatever its header says.
  ASSERT_EQ(truncate((Font + "/Font.pgm").c_str(), off_t(MaxFontAtlasBytes) + 1), 0);
  ASSERT_TRUE(WriteTextFileAtomically(Font + "/Font.metrics", "atlas 512 279\nsize 40\n", Error)) << Error;
  EXPECT_NE(FontRefusal(Font + "/Font.pgm").find("Font.pgm: larger than"), std::string::npos) << FontRefusal(Font + "/Font.pgm");
}
