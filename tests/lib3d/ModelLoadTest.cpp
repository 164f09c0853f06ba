// The budgets of a load: counts weighed before anything is sized, across the
// models of one load; names bounded and shown safely; empty meshes cost no lists.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>
#include <string>

#include "Lib3DTestSupport.h"
#include "ModelLoad.h"

namespace {

// A model of one triangle in Meshes meshes (all but the last empty) and
// Materials materials naming Texture, then Bones bones without keys.
std::string Model(int Meshes, int Materials, const std::string& Texture = "", int Bones = 0,
                  const std::string& MeshName = "\"m\"") {
  std::string text = "Frames: 30\nFrame: 1\nMeshes: " + std::to_string(Meshes) + "\n";
  for (int i = 1; i < Meshes; ++i) text += MeshName + " 0 0\n0\n0\n0\n";
  text += MeshName + " 0 0\n3\n0 0 0 0 0 0 -1\n0 1 0 0 0 0 -1\n0 0 1 0 0 0 -1\n1\n0 0 1\n1\n0 0 1 2 0 0 0 1\n";
  text += "Materials: " + std::to_string(Materials) + "\n";
  for (int i = 0; i < Materials; ++i)
    text += "\"m\"\n0 0 0 1\n1 1 1 1\n0 0 0 1\n0 0 0 1\n0\n1\n\"" + Texture + "\"\n\"\"\n";
  text += "Bones: " + std::to_string(Bones) + "\n";
  for (int i = 0; i < Bones; ++i) text += "\"b\"\n\"\"\n0 0 0 0\n0\n0\n";
  return text;
}

class ModelLoad : public ::testing::Test {
 protected:
  void SetUp() override { SharedContext(); }
  // Loads Text as Name through Load; "" on success, else the failure message.
  std::string LoadAs(const std::string& Name, const std::string& Text, TModelLoad* Load = nullptr) {
    Dir.Write(Name, Text);
    Loaded = std::make_unique<TMS3DObj>();
    try {
      Loaded->LoadFromFile(Name, Dir.Path, Log, Load);
      return "";
    } catch (const ELoadError& e) {
      return LoadFailureMessage(e.FileName, e.what());
    }
  }
  TTempDir Dir;
  TMessageLog Log;
  std::unique_ptr<TMS3DObj> Loaded;
};

}  // namespace

TEST_F(ModelLoad, PerModelCountsAreBoundedBeforeAnythingIsSized) {
  EXPECT_EQ(LoadAs("m.txt", Model(16, 64, "", 256)), "");
  EXPECT_EQ(LoadAs("m.txt", Model(17, 1)), FailureFor("m.txt", "Model too large: over 16 meshes"));
  EXPECT_EQ(LoadAs("m.txt", Model(1, 65)), FailureFor("m.txt", "Model too large: over 64 materials"));
  EXPECT_EQ(LoadAs("m.txt", Model(1, 1, "", 257)), FailureFor("m.txt", "Model too large: over 256 bones"));
  // A file over 8 MB is refused before it is read, whatever it holds.
  Dir.Write("big.txt", "");
  ASSERT_EQ(truncate(Dir.File("big.txt").c_str(), off_t(MaxModelFileBytes) + 1), 0);
  TMS3DObj big;
  try {
    big.LoadFromFile("big.txt", Dir.Path, Log);
    FAIL() << "a file over the limit was read";
  } catch (const ELoadError& e) {
    EXPECT_STREQ(e.what(), "Model too large: file over 8 MB");
  }
}

TEST_F(ModelLoad, VerticesNormalsAndTrianglesAddUpAcrossTheModelsOfALoad) {
  const auto Mesh = [](int64_t Vertices, int64_t Normals, int64_t Triangles) {
    // Counts only: every line after a count is an entry of zeros, so indices stay inside.
    std::string text = "Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n" + std::to_string(Vertices) + "\n";
    for (int64_t i = 0; i < Vertices; ++i) text += "0 0 0 0 0 0 -1\n";
    text += std::to_string(Normals) + "\n";
    for (int64_t i = 0; i < Normals; ++i) text += "0 0 1\n";
    text += std::to_string(Triangles) + "\n";
    for (int64_t i = 0; i < Triangles; ++i) text += "0 0 0 0 0 0 0 1\n";
    return text + "Materials: 0\nBones: 0\n";
  };
  TModelLoad load;
  EXPECT_EQ(LoadAs("a.txt", Mesh(MaxLoadVertices / 2, MaxLoadNormals / 2, MaxLoadTriangles / 2), &load), "");
  EXPECT_EQ(LoadAs("b.txt", Mesh(MaxLoadVertices / 2, MaxLoadNormals / 2, MaxLoadTriangles / 2), &load), "");
  EXPECT_EQ(load.Vertices(), MaxLoadVertices);
  EXPECT_EQ(load.Triangles(), MaxLoadTriangles);
  // Each budget is full: one more of anything is refused, naming the model that tipped it.
  EXPECT_EQ(LoadAs("c.txt", Mesh(1, 0, 0), &load),
            FailureFor("c.txt", "Model too large: over 65536 vertices in all models"));
  TModelLoad normals, triangles;
  EXPECT_EQ(LoadAs("d.txt", Mesh(1, MaxLoadNormals + 1, 0), &normals),
            FailureFor("d.txt", "Model too large: over 65536 normals in all models"));
  EXPECT_EQ(LoadAs("e.txt", Mesh(1, 1, MaxLoadTriangles + 1), &triangles),
            FailureFor("e.txt", "Model too large: over 32768 triangles in all models"));
  // A model on its own has a load of its own.
  EXPECT_EQ(LoadAs("f.txt", Mesh(3, 1, 1)), "");
  // Triangles drawn a frame: a model drawn a hundred times weighs a hundred times.
  // Meshes too: ten of a hundred copies fit, one more does not.
  TModelLoad drawn, meshes;
  drawn.Copies = meshes.Copies = 100;
  EXPECT_EQ(LoadAs("g.txt", Mesh(3, 1, MaxLoadDrawnTriangles / 100), &drawn), "");
  EXPECT_EQ(LoadAs("h.txt", Mesh(3, 1, 1), &drawn),
            FailureFor("h.txt", "Model too large: over 65536 triangles drawn a frame in all models"));
  EXPECT_EQ(LoadAs("i.txt", Model(10, 1), &meshes), "");
  EXPECT_EQ(LoadAs("j.txt", Model(1, 1), &meshes),
            FailureFor("j.txt", "Model too large: over 1024 meshes drawn a frame in all models"));
}

TEST_F(ModelLoad, SurfaceIsWeighedByCopiesAndAModelMayHaveALimitOfItsOwn) {
  // One right triangle with legs of Side from (From, From): Side * Side / 2 square units.
  const auto Triangle = [](int Side, int From = 0) {
    const std::string f = std::to_string(From), s = std::to_string(From + Side);
    return "Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n3\n0 " + f + " " + f + " 0 0 0 -1\n0 " + s + " " + f +
           " 0 0 0 -1\n0 " + f + " " + s + " 0 0 0 -1\n1\n1 0 0\n1\n0 0 1 2 0 0 0 1\nMaterials: 0\nBones: 0\n";
  };
  // A hundred copies of 131,072 fit the 16,777,216 drawn a frame; 45,000 more do not.
  TModelLoad load;
  load.Copies = 100;
  EXPECT_EQ(LoadAs("a.txt", Triangle(512), &load), "");
  EXPECT_EQ(LoadAs("b.txt", Triangle(300), &load),
            FailureFor("b.txt", "Model too large: over 16777216 square units of surface drawn a frame in all models"));
  EXPECT_EQ(LoadAs("c.txt", Triangle(5792, -2896)), "");
  TModelLoad title;
  title.SurfaceLimit = 65536;
  EXPECT_EQ(LoadAs("d.txt", Triangle(362), &title), "");
  EXPECT_EQ(LoadAs("e.txt", Triangle(363), &title),
            FailureFor("e.txt", "Model too large: over 65536 square units of surface in this model"));
}

TEST_F(ModelLoad, LongNamesAreRefusedUnsplitAndNamesAreShownSafely) {
  // A name of 4,096 bytes is looked for (and is not found); one byte more is
  // refused before it is copied or split, naming the model, not the name.
  const std::string longest(MaxNameBytes - 2, 'a');
  EXPECT_NE(LoadAs("m.txt", Model(1, 1, longest)).find("Exception : File name too long"), std::string::npos);
  EXPECT_EQ(LoadAs("m.txt", Model(1, 1, longest + "a")), FailureFor("m.txt", "Name too long: over 4096 bytes"));
  EXPECT_EQ(LoadAs("m.txt", Model(1, 1, "", 0, "\"" + std::string(MaxNameBytes, 'm') + "\"")),
            FailureFor("m.txt", "Name too long: over 4096 bytes"));

  // "." and empty steps cost nothing; other steps are looked up, at most 32.
  Dir.Write("t.bmp", SolidBitmap(4, 4, 0x00FF00));
  std::string steps;
  while (steps.size() < MaxNameBytes - 20) steps += ".//";
  EXPECT_EQ(LoadAs("m.txt", Model(1, 1, steps + "t.bmp")), "");
  std::filesystem::create_directories(Dir.File("d"));
  std::string folders;
  for (int i = 0; i < 15; ++i) folders += "d/../";
  EXPECT_EQ(LoadAs("m.txt", Model(1, 1, folders + "d/t.bmp")), FailureFor(folders + "d/t.bmp", "File not found"));
  EXPECT_EQ(LoadAs("m.txt", Model(1, 1, folders + "d/../t.bmp")),
            FailureFor(folders + "d/../t.bmp", "Name too long: over 32 folders"));

  // Control bytes (a terminal's clear-screen and title sequences), a NUL and
  // bytes that are not UTF-8 are shown as \xNN, and a long name is cut.
  Log.Messages.clear();
  const std::string hostile = std::string("\x1b[2J\x1b]0;pwned\x07") + '\0' + "tail\xff.bmp";
  const std::string shown = "\\x1b[2J\\x1b]0;pwned\\x07\\x00tail\\xff.bmp";
  EXPECT_EQ(LoadAs("m.txt", Model(1, 1, hostile)), FailureFor(shown, "File not found"));
  EXPECT_EQ(Log.Messages, std::vector<std::string>{"Cannot find the file: " + shown});
  const std::string failure = LoadAs("m.txt", Model(1, 1, std::string(240, 'n') + ".bmp"));
  EXPECT_EQ(failure, FailureFor(std::string(200, 'n') + "...", "File not found"));
}

TEST_F(ModelLoad, OneNameIsResolvedOnceAcrossTheLoad) {
  Dir.Write("t.bmp", SolidBitmap(4, 4, 0x00FF00));
  TModelLoad load;
  ASSERT_EQ(LoadAs("a.txt", Model(1, 64, "t.bmp"), &load), "");
  const uint32_t id = Loaded->Materials[0].TextureId;
  // The file is gone: a second model naming it still gets the texture the
  // first one found, so the name was not looked up again.
  std::remove(Dir.File("t.bmp").c_str());
  ASSERT_EQ(LoadAs("b.txt", Model(1, 64, "t.bmp"), &load), "");
  EXPECT_EQ(Loaded->Materials[63].TextureId, id);
  EXPECT_EQ(load.Textures.Count(), 1u);
}

TEST_F(ModelLoad, AMeshWithoutTrianglesGetsNoDisplayLists) {
  ASSERT_EQ(LoadAs("m.txt", Model(16, 1)), "");
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(Loaded->Meshes[i].FilledList, 0u);
    EXPECT_EQ(Loaded->Meshes[i].OutlineList, 0u);
  }
  EXPECT_NE(Loaded->Meshes[15].FilledList, 0u);
  EXPECT_TRUE(glIsList(Loaded->Meshes[15].FilledList));
  EXPECT_FALSE(glIsList(Loaded->Meshes[15].FilledList + 2));
}
