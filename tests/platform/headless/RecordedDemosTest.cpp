// Demos recorded by the desktop program before its input went through the
// host's one stream still replay, frame by frame, to the traces they gave then.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "HeadlessContext.h"
#include "HeadlessHost.h"

namespace {

const std::string Folder = std::string(SKYREND_TESTDATA_DIR) + "/demos/";

// The lines of a gzip-compressed text file.
std::vector<std::string> GzipLines(const std::string& Path) {
  std::vector<std::string> Lines;
  std::FILE* Pipe = popen(("gzip -dc '" + Path + "'").c_str(), "r");
  if (!Pipe) return Lines;
  std::string Line;
  for (int C; (C = std::fgetc(Pipe)) != EOF;) {
    if (C != '\n') {
      Line += char(C);
      continue;
    }
    Lines.push_back(Line);
    Line.clear();
  }
  pclose(Pipe);
  return Lines;
}

}  // namespace

TEST(RecordedDemos, ReplayToTheTracesTheyGaveWhenRecorded) {
  for (const char* Name : {"demo1", "demo2", "demo3"}) {
    SCOPED_TRACE(Name);
    const std::string Text = ReadScriptText(Folder + Name + ".txt");
    int Width = 0, Height = 0;
    ASSERT_TRUE(ReadDemoHeader(Text, Width, Height));
    const auto Events = ParseScript(Text);
    const std::vector<std::string> Expected = GzipLines(Folder + Name + ".trace.jsonl.gz");
    ASSERT_EQ(long(Expected.size()), Events.back().Frame);

    THeadlessContext Context(Width, Height);
    THeadlessHost Game(Width, Height, DefaultProgramFolder(), Events);
    for (const std::string& Line : Expected) {
      ASSERT_TRUE(Game.Step());
      ASSERT_EQ(Game.TraceLine(), Line) << "frame " << Game.Frame();
    }
  }
}
