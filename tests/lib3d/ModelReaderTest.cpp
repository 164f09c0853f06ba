// The model text reader: line handling, the state machine, bounds and
// radius, normals, texture names and the reader's errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Lib3DTestSupport.h"

namespace {

// The worked example of the model layout, one entry per line.
const std::vector<std::string> ExampleLines = {
    "// exported model",
    "",
    "Frames: 30",
    "Frame: 1",
    "Meshes: 1",
    "\"Hull\" 0 0",
    "3",
    "0 -1.000000 0.000000 0.000000 0.000000 1.000000 -1",
    "0 1.000000 0.000000 0.000000 1.000000 1.000000 -1",
    "0 0.000000 2.000000 0.000000 0.500000 0.000000 -1",
    "1",
    "0.000000 0.000000 1.000000",
    "1",
    "0 0 1 2 0 0 0 1",
    "Materials: 1",
    "\"Masked\"",
    "0.200000 0.200000 0.200000 1.000000",
    "0.800000 0.800000 0.800000 1.000000",
    "0.000000 0.000000 0.000000 1.000000",
    "0.000000 0.000000 0.000000 1.000000",
    "0.000000",
    "1.000000",
    "\"hull.bmp\"",
    "\"\"",
    "Bones: 0",
    "Frames: 99999999999",  // never read: it would be a range error
};

// One mesh of one triangle: the least a model that loads must hold.
const std::string OneTriangleMesh =
    "Meshes: 1\n\"m\" 0 0\n1\n0 0 0 0 0 0 -1\n1\n0 0 1\n1\n0 0 0 0 0 0 0 0\n";

std::string Join(const std::vector<std::string>& Lines, size_t Count, const char* End) {
  std::string text;
  for (size_t i = 0; i < Count && i < Lines.size(); ++i) text += Lines[i] + End;
  return text;
}

// Writes Text as a model file and loads it; fails the test on a load error.
class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { SharedContext(); }
  std::string Load(const std::string& Text) {
    Dir.Write("model.txt", Text);
    Model = std::make_unique<TMS3DObj>();
    return TryLoad(*Model, "model.txt", Dir.Path, Log);
  }
  TTempDir Dir;
  TMessageLog Log;
  std::unique_ptr<TMS3DObj> Model;
};

// The reader state after each line of the example.
struct TStep {
  int ParseState, MeshState, MaterialState;
  int VertexCounter, NormalCounter, TriangleCounter, CurrentMesh, CurrentMaterial;
};

}  // namespace

TEST_F(ReaderTest, WorkedExampleLineByLine) {
  // The end of the file in any state is not an error, so a file cut after
  // line k shows the state the reader has reached after line k.
  Dir.Write("hull.bmp", SolidBitmap(4, 4, 0xFF00FF));
  const TStep steps[] = {
      {0, 0, 0, 0, 0, 0, 0, 0},  // 1 comment
      {0, 0, 0, 0, 0, 0, 0, 0},  // 2 empty
      {1, 0, 0, 0, 0, 0, 0, 0},  // 3 NumFrames
      {2, 0, 0, 0, 0, 0, 0, 0},  // 4 CurrentFrame
      {3, 0, 0, 0, 0, 0, 0, 0},  // 5 mesh count
      {3, 1, 0, 0, 0, 0, 0, 0},  // 6 mesh header
      {3, 2, 0, 0, 0, 0, 0, 0},  // 7 vertex count
      {3, 2, 0, 1, 0, 0, 0, 0},  // 8
      {3, 2, 0, 2, 0, 0, 0, 0},  // 9
      {3, 3, 0, 3, 0, 0, 0, 0},  // 10 last vertex
      {3, 4, 0, 3, 0, 0, 0, 0},  // 11 normal count
      {3, 5, 0, 3, 1, 0, 0, 0},  // 12 last normal
      {3, 6, 0, 3, 1, 0, 0, 0},  // 13 triangle count
      {4, 6, 0, 3, 1, 1, 1, 0},  // 14 last triangle of the last mesh
      {4, 6, 1, 3, 1, 1, 1, 0},  // 15 material count
      {4, 6, 2, 3, 1, 1, 1, 0},  // 16 name
      {4, 6, 3, 3, 1, 1, 1, 0},  // 17 ambient
      {4, 6, 4, 3, 1, 1, 1, 0},  // 18 diffuse
      {4, 6, 5, 3, 1, 1, 1, 0},  // 19 specular
      {4, 6, 6, 3, 1, 1, 1, 0},  // 20 emissive
      {4, 6, 7, 3, 1, 1, 1, 0},  // 21 shininess
      {4, 6, 8, 3, 1, 1, 1, 0},  // 22 transparency
      {4, 6, 9, 3, 1, 1, 1, 0},  // 23 texture
      {5, 6, 9, 3, 1, 1, 1, 1},  // 24 alpha map: the last material is complete
      {6, 6, 9, 3, 1, 1, 1, 1},  // 25 no bones: reading stops
      {6, 6, 9, 3, 1, 1, 1, 1},  // 26 not read
  };
  for (size_t k = 1; k <= ExampleLines.size(); ++k) {
    SCOPED_TRACE("file cut after line " + std::to_string(k));
    // Cut before its triangle, the file holds nothing to draw.
    ASSERT_EQ(Load(Join(ExampleLines, k, "\n")), k < 14 ? FailureFor("model.txt", "Model has no triangles") : "");
    const TStep& s = steps[k - 1];
    EXPECT_EQ(Model->ParseState, s.ParseState);
    if (Model->NumMeshes > 0) {
      const T3DMesh& m = Model->Meshes[0];
      EXPECT_EQ(Model->MeshState, s.MeshState);
      EXPECT_EQ(m.VertexCounter, s.VertexCounter);
      EXPECT_EQ(m.NormalCounter, s.NormalCounter);
      EXPECT_EQ(m.TriangleCounter, s.TriangleCounter);
      EXPECT_EQ(Model->CurrentMesh, s.CurrentMesh);
    }
    if (Model->ParseState >= 4) {
      EXPECT_EQ(Model->MaterialState, s.MaterialState);
      EXPECT_EQ(Model->CurrentMaterial, s.CurrentMaterial);
    }
    EXPECT_EQ(Model->NumFrames, k >= 3 ? 30 : 0);
    EXPECT_EQ(Model->CurrentFrame, k >= 4 ? 1 : 0);
    EXPECT_EQ(Model->NumMeshes, k >= 5 ? 1 : 0);
    if (k >= 7) {
      EXPECT_EQ(Model->Meshes[0].Vertices.size(), 3u);
    }
    // Bounds follow the vertex lines read so far; the radius, of the drawn
    // vertices, comes with the model.
    const size_t read = k < 8 ? 0 : (k > 10 ? 3 : k - 7);
    EXPECT_FLOAT_EQ(Model->MaxRadius, k >= 14 ? 2.0f : 0.0f);
    EXPECT_FLOAT_EQ(Model->MinX, read >= 1 ? -1.0f : 0.0f);
    EXPECT_FLOAT_EQ(Model->MaxX, read >= 2 ? 1.0f : 0.0f);
    EXPECT_FLOAT_EQ(Model->MaxY, read >= 3 ? 2.0f : 0.0f);
    EXPECT_EQ(Model->NumMaterials, k >= 15 ? 1 : 0);
    EXPECT_EQ(Model->Bones.size(), 0u);
  }

  // The complete result.
  const TMS3DObj& m = *Model;
  EXPECT_EQ(m.FileName, "model.txt");
  EXPECT_EQ(m.Meshes[0].Name, "\"Hull\"");
  EXPECT_EQ(m.Meshes[0].Flags, 0);
  EXPECT_EQ(m.Meshes[0].MaterialIndex, 0);
  const T3DVertex& v0 = m.Meshes[0].Vertices[0];
  EXPECT_FLOAT_EQ(v0.X, -1.0f);
  EXPECT_FLOAT_EQ(v0.U, 0.0f);
  EXPECT_FLOAT_EQ(v0.V, 1.0f);
  EXPECT_EQ(v0.BoneIndex, -1);
  EXPECT_FLOAT_EQ(m.MinX, -1);
  EXPECT_FLOAT_EQ(m.MaxX, 1);
  EXPECT_FLOAT_EQ(m.MinY, 0);
  EXPECT_FLOAT_EQ(m.MaxY, 2);
  EXPECT_FLOAT_EQ(m.MinZ, 0);
  EXPECT_FLOAT_EQ(m.MaxZ, 0);
  EXPECT_FLOAT_EQ(m.MaxRadius, 2);
  const T3DTriangle& t = m.Meshes[0].Triangles[0];
  EXPECT_EQ(t.VertexIndices[0], 0);
  EXPECT_EQ(t.VertexIndices[1], 1);
  EXPECT_EQ(t.VertexIndices[2], 2);
  EXPECT_EQ(t.SmoothingGroup, 1);
  for (const T3DVertex& v : m.Meshes[0].Vertices) {
    EXPECT_FLOAT_EQ(v.Normal.x, 0);
    EXPECT_FLOAT_EQ(v.Normal.y, 0);
    EXPECT_FLOAT_EQ(v.Normal.z, 1);
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(m.Meshes[0].DrawVertices[i].Y, m.Meshes[0].Vertices[i].Y);
    EXPECT_FLOAT_EQ(m.Meshes[0].DrawVertices[i].Normal.z, 1.0f);
  }
  EXPECT_FLOAT_EQ(m.Meshes[0].DrawNormals[0].z, 1.0f);
  const TMaterial& mat = m.Materials[0];
  EXPECT_EQ(mat.Name, "\"Masked\"");
  EXPECT_FLOAT_EQ(mat.Ambient[0], 0.2f);
  EXPECT_FLOAT_EQ(mat.Diffuse[3], 1.0f);
  EXPECT_FALSE(mat.Transparent);
  EXPECT_EQ(mat.TextureFile, "hull.bmp");
  EXPECT_TRUE(mat.Masked);
  EXPECT_TRUE(mat.Textured);
  EXPECT_NE(mat.TextureId, 0u);
  EXPECT_EQ(mat.TextureWidth, 4);
  EXPECT_EQ(mat.TextureHeight, 4);
  EXPECT_TRUE(mat.Pixels.empty());
  EXPECT_EQ(mat.AlphaMapFile, "\"\"");
  EXPECT_EQ(m.NumBones, 0);
  EXPECT_TRUE(Log.Messages.empty());
}

TEST_F(ReaderTest, CrLfLineEndsReadLikeLf) {
  Dir.Write("hull.bmp", SolidBitmap(4, 4, 0xFF00FF));
  ASSERT_EQ(Load(Join(ExampleLines, ExampleLines.size(), "\r\n")), "");
  EXPECT_EQ(Model->ParseState, 6);
  EXPECT_EQ(Model->Meshes[0].Name, "\"Hull\"");
  EXPECT_EQ(Model->Materials[0].TextureFile, "hull.bmp");
  EXPECT_EQ(Model->Materials[0].AlphaMapFile, "\"\"");
  EXPECT_EQ(Model->Meshes[0].Vertices[0].BoneIndex, -1);
}

TEST_F(ReaderTest, SkippedAndDataLinesInsideAList) {
  // Comments and empty lines are skipped inside the vertex list; "/" is one
  // character long, so it is a data line (a normal of zeros); a line of
  // spaces is an item whose numbers read as 0.
  ASSERT_EQ(Load("Frames: 1\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n3\n"
                 "0 1 0 0 0 0 0\n// between vertices\n\n   \n0 0 4 0 0 0 0\n"
                 "3\n/\n   \n0 1 0\n1\n0 0 1 2 0 1 2 0\n"),
            "");
  const T3DMesh& m = Model->Meshes[0];
  EXPECT_EQ(m.VertexCounter, 3);
  EXPECT_FLOAT_EQ(m.Vertices[0].X, 1);
  EXPECT_FLOAT_EQ(m.Vertices[1].X, 0);
  EXPECT_FLOAT_EQ(m.Vertices[1].Y, 0);
  EXPECT_FLOAT_EQ(m.Vertices[2].Y, 4);
  EXPECT_EQ(m.NormalCounter, 3);
  EXPECT_FLOAT_EQ(m.Normals[2].y, 1);
  EXPECT_EQ(m.TriangleCounter, 1);
  EXPECT_EQ(Model->ParseState, 4);  // the file ends where the materials would begin
}

TEST_F(ReaderTest, TwoSpacesShiftLaterTokensAndSixTokensLeaveBoneZero) {
  ASSERT_EQ(Load("Frames: 1\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n2\n"
                 "0  1.0 2.0 3.0 0.5 0.25 7\n"
                 "0 5 6 7 0.5 0.25\n1\n0 0 1\n1\n0 0 1 1 0 0 0 0\n"),
            "");
  const T3DVertex& a = Model->Meshes[0].Vertices[0];
  EXPECT_FLOAT_EQ(a.X, 0);
  EXPECT_FLOAT_EQ(a.Y, 1);
  EXPECT_FLOAT_EQ(a.Z, 2);
  EXPECT_FLOAT_EQ(a.U, 3);
  EXPECT_FLOAT_EQ(a.V, 0.5f);
  EXPECT_EQ(a.BoneIndex, 0);  // token 7 is "0.25", rounded
  const T3DVertex& b = Model->Meshes[0].Vertices[1];
  EXPECT_FLOAT_EQ(b.Z, 7);
  EXPECT_EQ(b.BoneIndex, 0);
}

TEST_F(ReaderTest, IntegerFieldsRoundHalfToEven) {
  ASSERT_EQ(Load("Frames: 2.5\nFrame: 3.5\nMeshes: 1\n\"m\" -2.5 0.5\n"),
            FailureFor("model.txt", "Model has no triangles"));
  EXPECT_EQ(Model->NumFrames, 2);
  EXPECT_EQ(Model->CurrentFrame, 4);
  EXPECT_EQ(Model->Meshes[0].Flags, -2);
  EXPECT_EQ(Model->Meshes[0].MaterialIndex, 0);
}

TEST_F(ReaderTest, IntegerOutsideThirtyTwoBitsRejectsTheFile) {
  EXPECT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n1\n0 1 2 3 0 0 4294967296\n"),
            FailureFor("model.txt", "Range check error"));
  EXPECT_TRUE(Log.Messages.empty());
}

TEST_F(ReaderTest, MissingFileIsFileNotFound) {
  TMS3DObj model;
  EXPECT_EQ(TryLoad(model, "absent.txt", Dir.Path, Log), FailureFor("absent.txt", "File not found"));
  // A folder of that name exists: the reason is what it is.
  std::filesystem::create_directory(Dir.File("folder.txt"));
  EXPECT_EQ(TryLoad(model, "folder.txt", Dir.Path, Log), FailureFor("folder.txt", "Is a directory"));
}

TEST_F(ReaderTest, BoundsWidenFromTheOriginAndRadiusIsTheLastMeshs) {
  ASSERT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n3\n"
                 "0 1 0 0 0 0 -1\n0 0 2 0 0 0 -1\n0 0 0 3 0 0 -1\n1\n0 0 1\n1\n0 0 1 2 0 0 0 0\n"),
            "");
  EXPECT_FLOAT_EQ(Model->MinX, 0);
  EXPECT_FLOAT_EQ(Model->MaxX, 1);
  EXPECT_FLOAT_EQ(Model->MinY, 0);
  EXPECT_FLOAT_EQ(Model->MaxY, 2);
  EXPECT_FLOAT_EQ(Model->MinZ, 0);
  EXPECT_FLOAT_EQ(Model->MaxZ, 3);
  EXPECT_FLOAT_EQ(Model->MaxRadius, 3);

  // The first mesh reaches 10, the second only 2 (3-4-5 scaled: 1.2, 1.6).
  ASSERT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 2\n"
                 "\"a\" 0 0\n1\n0 6 -8 0 0 0 -1\n1\n0 0 1\n1\n0 0 0 0 0 0 0 0\n"
                 "\"b\" 0 0\n1\n0 0 1.2 1.6 0 0 -1\n1\n0 0 1\n1\n0 0 0 0 0 0 0 0\n"),
            "");
  EXPECT_FLOAT_EQ(Model->MaxRadius, 2);
  EXPECT_FLOAT_EQ(Model->MaxX, 6);  // bounds are not reset per mesh
  EXPECT_FLOAT_EQ(Model->MinY, -8);
  EXPECT_FLOAT_EQ(Model->MaxZ, 1.6f);

  // A last mesh that draws nothing (no triangles, or cut off) gives no radius.
  const std::string drawn =
      "Frames: 30\nFrame: 1\nMeshes: 2\n\"a\" 0 0\n1\n0 6 -8 0 0 0 -1\n1\n0 0 1\n1\n0 0 0 0 0 0 0 0\n";
  for (const std::string& second : {std::string("\"b\" 0 0\n1\n0 0 1.2 1.6 0 0 -1\n1\n0 0 1\n0\n"), std::string()}) {
    ASSERT_EQ(Load(drawn + second), "");
    EXPECT_FLOAT_EQ(Model->MaxRadius, 10);
  }
}

TEST_F(ReaderTest, SharedVertexKeepsTheNormalOfItsLastCorner) {
  ASSERT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n7\n"
                 "0 0 0 0 0 0 -1\n0 1 0 0 0 0 -1\n0 2 0 0 0 0 -1\n0 3 0 0 0 0 -1\n"
                 "0 4 0 0 0 0 -1\n0 5 0 0 0 0 -1\n0 6 0 0 0 0 -1\n"
                 "2\n1 0 0\n0 1 0\n"
                 "2\n0 5 1 2 0 0 0 1\n0 3 4 5 0 0 1 1\n"),
            "");
  const T3DMesh& m = Model->Meshes[0];
  EXPECT_FLOAT_EQ(m.Vertices[5].Normal.y, 1);  // later triangle's normal 1
  EXPECT_FLOAT_EQ(m.Vertices[5].Normal.x, 0);
  EXPECT_FLOAT_EQ(m.Vertices[1].Normal.x, 1);
  EXPECT_FLOAT_EQ(m.Vertices[6].Normal.x, 0);  // unused: zero normal
  EXPECT_FLOAT_EQ(m.Vertices[6].Normal.y, 0);
  EXPECT_FLOAT_EQ(m.Vertices[6].Normal.z, 0);
  EXPECT_FLOAT_EQ(m.DrawVertices[5].Normal.y, 1);
}

TEST_F(ReaderTest, TriangleIndexOutsideItsMeshRejectsTheFile) {
  const std::string head = "Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n3\n0 0 0 0 0 0 -1\n0 1 0 0 0 0 -1\n"
                           "0 0 1 0 0 0 -1\n1\n0 0 1\n1\n";
  EXPECT_EQ(Load(head + "0 0 1 3 0 0 0 1\n"), FailureFor("model.txt", "Index out of range"));
  EXPECT_EQ(Load(head + "0 0 1 -1 0 0 0 1\n"), FailureFor("model.txt", "Index out of range"));
  EXPECT_EQ(Load(head + "0 0 1 2 0 1 0 1\n"), FailureFor("model.txt", "Index out of range"));
  EXPECT_EQ(Load(head + "0 0 1 2 0 0 0 1\n"), "");
}

TEST_F(ReaderTest, CountsOfZeroMoveOnToTheNextSection) {
  ASSERT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 0\nMaterials: 0\nBones: 0\n"),
            FailureFor("model.txt", "Model has no triangles"));
  EXPECT_EQ(Model->ParseState, 6);
  EXPECT_TRUE(Model->Meshes.empty());
  EXPECT_TRUE(Model->Materials.empty());
  EXPECT_EQ(Load(""), FailureFor("model.txt", "Model has no triangles"));

  // A mesh without vertices, normals or triangles, then a second mesh.
  ASSERT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 2\n\"empty\" 0 -1\n0\n0\n0\n"
                 "\"next\" 0 0\n1\n0 4 0 0 0 0 -1\n1\n0 0 1\n1\n0 0 0 0 0 0 0 0\nMaterials: 1\n\"mat\"\n"),
            "");
  EXPECT_EQ(Model->Meshes[1].Name, "\"next\"");
  EXPECT_EQ(Model->Meshes[1].NumVertices, 1);
  EXPECT_EQ(Model->Meshes[0].NumNormals, 0);
  EXPECT_FLOAT_EQ(Model->MaxRadius, 4);
  EXPECT_EQ(Model->Materials[0].Name, "\"mat\"");
  EXPECT_EQ(Model->ParseState, 4);
}

TEST_F(ReaderTest, BadCountsAreRejectedWithoutSizingArrays) {
  EXPECT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: -1\n"), FailureFor("model.txt", "Negative count"));
  // Two thousand million vertices would need hundreds of gigabytes.
  EXPECT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n2000000000\n"),
            FailureFor("model.txt", "Model too large: over 65536 vertices in all models"));
  EXPECT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 2000000000\n"), FailureFor("model.txt", "Model too large: over 16 meshes"));
}

TEST_F(ReaderTest, FileEndingAfterItsMeshesLoadsWithoutMaterials) {
  ASSERT_EQ(Load("Frames: 30\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n1\n0 1 1 1 0 0 -1\n1\n0 1 0\n1\n0 0 0 0 0 0 0 1\n"),
            "");
  EXPECT_EQ(Model->NumMaterials, 0);
  EXPECT_TRUE(Model->Materials.empty());
  EXPECT_TRUE(Log.Messages.empty());
}

namespace {

// A model of one triangle and one material whose texture line is Texture.
std::string MaterialModel(const std::string& Name, const std::string& Texture, const std::string& Transparency = "1") {
  return "Frames: 30\nFrame: 1\n" + OneTriangleMesh + "Materials: 1\n" + Name +
         "\n0 0 0 1\n1 1 1 1\n0 0 0 1\n0 0 0 1\n8\n" + Transparency + "\n" + Texture + "\n\"alpha.bmp\"\nBones: 0\n";
}

}  // namespace

TEST_F(ReaderTest, TextureNames) {
  ASSERT_EQ(Load(MaterialModel("\"mat\"", "\"\"")), "");
  EXPECT_FALSE(Model->Materials[0].Textured);
  EXPECT_EQ(Model->Materials[0].TextureFile, "\"\"");  // two characters: kept as read

  ASSERT_EQ(Load(MaterialModel("\"mat\"", "\"a\"")), "");
  EXPECT_FALSE(Model->Materials[0].Textured);
  EXPECT_EQ(Model->Materials[0].TextureFile, "a");

  Dir.Write("ab.bmp", SolidBitmap(2, 2, 0x123456));
  ASSERT_EQ(Load(MaterialModel("\"mat\"", "\"ab.bmp\"")), "");
  const TMaterial& m = Model->Materials[0];
  EXPECT_TRUE(m.Textured);
  EXPECT_FALSE(m.Masked);
  EXPECT_EQ(m.TextureFile, "ab.bmp");
  EXPECT_EQ(m.TextureWidth, 2);
  EXPECT_NE(m.TextureId, 0u);
  EXPECT_EQ(m.AlphaMapFile, "\"alpha.bmp\"");
  EXPECT_FLOAT_EQ(m.Shininess, 8);
  EXPECT_FLOAT_EQ(m.Diffuse[1], 1);
  EXPECT_TRUE(Log.Messages.empty());
}

TEST_F(ReaderTest, MaskedNameIgnoresCaseAndNeedsATexture) {
  Dir.Write("ab.bmp", SolidBitmap(2, 2, 0x123456));
  for (const char* name : {"\"masked\"", "\"MASKED\"", "\"mAsKeD\""}) {
    ASSERT_EQ(Load(MaterialModel(name, "\"ab.bmp\"")), "");
    EXPECT_TRUE(Model->Materials[0].Masked) << name;
  }
  for (const char* name : {"masked", "\"Masked", "\"Masked2\""}) {
    ASSERT_EQ(Load(MaterialModel(name, "\"ab.bmp\"")), "");
    EXPECT_FALSE(Model->Materials[0].Masked) << name;
  }
  ASSERT_EQ(Load(MaterialModel("\"Masked\"", "\"\"")), "");
  EXPECT_FALSE(Model->Materials[0].Masked);
  EXPECT_FALSE(Model->Materials[0].Textured);
}

TEST_F(ReaderTest, TransparentUnlessExactlyOne) {
  ASSERT_EQ(Load(MaterialModel("\"m\"", "\"\"", "1.000000")), "");
  EXPECT_FALSE(Model->Materials[0].Transparent);
  ASSERT_EQ(Load(MaterialModel("\"m\"", "\"\"", "0.999999")), "");
  EXPECT_TRUE(Model->Materials[0].Transparent);
  EXPECT_FLOAT_EQ(Model->Materials[0].Transparency, 0.999999f);
}

TEST_F(ReaderTest, MissingTextureIsShownThenReported) {
  EXPECT_EQ(Load(MaterialModel("\"mat\"", "\"gone.bmp\"")), FailureFor("gone.bmp", "File not found"));
  ASSERT_EQ(Log.Messages.size(), 1u);
  EXPECT_EQ(Log.Messages[0], "Cannot find the file: gone.bmp");
}

TEST_F(ReaderTest, ATextureFaultWinsOverFaultsFoundAfterItsLine) {
  // A bad count after the missing texture, or a triangle index (checked once
  // the file is read) before it: the texture is reported, shown once.
  const std::string model = MaterialModel("\"mat\"", "\"gone.bmp\"");
  const std::pair<std::string, std::string> changes[] = {{"Bones: 0", "Bones: -1"},
                                                          {"1\n0 0 0 0 0 0 0 0", "1\n0 0 0 0 1 0 0 0"}};
  for (const auto& [from, to] : changes) {
    SCOPED_TRACE(to);
    Log.Messages.clear();
    std::string text = model;
    text.replace(text.find(from), from.size(), to);
    EXPECT_EQ(Load(text), FailureFor("gone.bmp", "File not found"));
    EXPECT_EQ(Log.Messages, std::vector<std::string>{"Cannot find the file: gone.bmp"});
  }
  // A fault in a line before the texture line: the model, and nothing shown.
  Log.Messages.clear();
  std::string text = model;
  text.replace(0, 10, "Frames: 99999999999");
  EXPECT_EQ(Load(text), FailureFor("model.txt", "Range check error"));
  EXPECT_TRUE(Log.Messages.empty());
}

TEST_F(ReaderTest, BadTextureIsReportedUnderItsOwnName) {
  Dir.Write("bad.bmp", std::string("XM this is not a bitmap at all, not at all, not even close to one"));
  EXPECT_EQ(Load(MaterialModel("\"mat\"", "\"bad.bmp\"")), FailureFor("bad.bmp", "Invalid Bitmap"));
  EXPECT_TRUE(Log.Messages.empty());
  std::filesystem::copy_file(SKYREND_TESTDATA_DIR "/bmpsuite/g/pal8.bmp", Dir.File("pal8.bmp"));
  EXPECT_EQ(Load(MaterialModel("\"mat\"", "\"pal8.bmp\"")), FailureFor("pal8.bmp", "Unsupported bitmap"));
}

TEST_F(ReaderTest, Bones) {
  ASSERT_EQ(Load("Frames: 30\nFrame: 1\n" + OneTriangleMesh + "Materials: 0\nBones: 3\n"
                 "\"root\"\n\"\"\n8 1.5 2.5 3.5\n2\n1 0 0 0\n2 0 0 0\n1\n1 0 0 0\n"
                 // no position keys: straight to the second key count
                 "\"arm\"\n\"root\"\n8 0 0 0\n0\n2\n1 0 0 0\n2 0 0 0\n"
                 "\"leg\"\n\"root\"\n8 0 0 0\n0\n0\n"
                 "Frames: 99999999999\n"),
            "");
  EXPECT_EQ(Model->ParseState, 6);
  ASSERT_EQ(Model->NumBones, 3);
  EXPECT_EQ(Model->Bones[0].Name, "root");
  EXPECT_EQ(Model->Bones[0].ParentName, "");
  EXPECT_FLOAT_EQ(Model->Bones[0].BoneValues[0], 8);
  EXPECT_FLOAT_EQ(Model->Bones[0].BoneValues[3], 3.5f);
  EXPECT_EQ(Model->Bones[0].NumPosKeys, 2);
  EXPECT_EQ(Model->Bones[0].PosKeyCounter, 2);
  EXPECT_EQ(Model->Bones[0].NumRotKeys, 1);
  EXPECT_EQ(Model->Bones[1].Name, "arm");
  EXPECT_EQ(Model->Bones[1].ParentName, "root");
  EXPECT_EQ(Model->Bones[1].NumPosKeys, 0);
  EXPECT_EQ(Model->Bones[1].RotKeyCounter, 2);
  EXPECT_EQ(Model->Bones[2].Name, "leg");
  EXPECT_EQ(Model->CurrentBone, 3);
}

TEST_F(ReaderTest, NegativeKeyCountsHaveNoKeyLines) {
  // Each count below 1 is followed straight by the next item: the second
  // count, then the next bone; the line after the last bone is not read.
  ASSERT_EQ(Load("Frames: 30\nFrame: 1\n" + OneTriangleMesh + "Materials: 0\nBones: 2\n"
                 "\"a\"\n\"\"\n8 0 0 0\n-3\n-1\n"
                 "\"b\"\n\"a\"\n8 0 0 0\n-2\n1\n1 0 0 0\n"
                 "Frames: 99999999999\n"),
            "");
  EXPECT_EQ(Model->ParseState, 6);
  ASSERT_EQ(Model->CurrentBone, 2);
  EXPECT_EQ(Model->Bones[0].NumPosKeys, -3);
  EXPECT_EQ(Model->Bones[0].NumRotKeys, -1);
  EXPECT_EQ(Model->Bones[1].ParentName, "a");
  EXPECT_EQ(Model->Bones[1].RotKeyCounter, 1);
}
