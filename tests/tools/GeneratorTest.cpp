// The generator writes the same bytes every time, the build's program folder
// holds exactly what it writes, and the model text has the reader's layout.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "AssetWriter.h"
#include "FontAtlas.h"
#include "ModelText.h"
#include "TestModels.h"

namespace {

std::string ReadFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Generator, WritesTheSameBytesEveryTimeAndTheBuildUsedThem) {
  const std::string first = MakeTempFolder(), second = MakeTempFolder();
  const auto names = WriteModelsAndBitmaps(first);
  EXPECT_EQ(WriteModelsAndBitmaps(second), names);
  EXPECT_GE(names.size(), 16u + 8u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadFile(first + "/" + name);
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, ReadFile(second + "/" + name));
    EXPECT_EQ(bytes, ReadFile(std::string(SKYREND_PROGRAM_DIR) + "/" + name)) << "the build's copy is stale";
  }
  RemoveFolder(first);
  RemoveFolder(second);
  EXPECT_EQ(SoundClipsSource(), SoundClipsSource());
}

TEST(Generator, TheFontAtlasIsTheSameEveryTimeAndAMissingFontIsNamed) {
  const std::string folder = MakeTempFolder();
  const auto names = WriteFont(folder, SKYREND_FONT_FILE);
  ASSERT_EQ(names, (std::vector<std::string>{"Font.pgm", "Font.metrics"}));
  for (const std::string& name : names)
    EXPECT_EQ(ReadFile(folder + "/" + name), ReadFile(std::string(SKYREND_PROGRAM_DIR) + "/" + name)) << name;
  RemoveFolder(folder);
  try {
    BuildFontAtlas("/nonexistent/DejaVuSans.ttf");
    FAIL() << "no font, no atlas";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "cannot read the font /nonexistent/DejaVuSans.ttf");
  }
}

TEST(Generator, ModelTextHasTheReadersLayout) {
  TModelRec model;
  TMaterialRec m = MakeMaterial("Masked", {1, 0.5f, 0.25f, 1}, "hull.bmp");
  model.Materials.push_back(m);
  TMeshRec& mesh = AddMesh(model, "Hull", 0);
  AddFlatPolygon(mesh, {{-1, 0, 0}, {1, 0, 0}, {0, 2, 0}}, {{0, 1}, {1, 1}, {0.5f, 0}});
  const std::string expected =
      "// Skyrend model, written by skyrend-assets\r\n\r\n"
      "Frames: 30\r\nFrame: 1\r\n\r\n"
      "Meshes: 1\r\n"
      "\"Hull\" 0 0\r\n"
      "3\r\n"
      "0 -1.000000 0.000000 0.000000 0.000000 1.000000 -1\r\n"
      "0 1.000000 0.000000 0.000000 1.000000 1.000000 -1\r\n"
      "0 0.000000 2.000000 0.000000 0.500000 0.000000 -1\r\n"
      "1\r\n"
      "0.000000 0.000000 1.000000\r\n"
      "1\r\n"
      "0 0 1 2 0 0 0 1\r\n\r\n"
      "Materials: 1\r\n"
      "\"Masked\"\r\n"
      "0.800000 0.400000 0.200000 1.000000\r\n"
      "1.000000 0.500000 0.250000 1.000000\r\n"
      "0.000000 0.000000 0.000000 1.000000\r\n"
      "0.000000 0.000000 0.000000 1.000000\r\n"
      "0.000000\r\n"
      "1.000000\r\n"
      "\"hull.bmp\"\r\n"
      "\"\"\r\n\r\n"
      "Bones: 0\r\n";
  const std::string text = WriteModelText(model);
  EXPECT_EQ(text.substr(0, expected.size()), expected);
}

}  // namespace
