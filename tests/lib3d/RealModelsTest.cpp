// Model files written by other programs. Each loads, or fails with the
// load-failure message for the reason stated beside it; none crashes.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <filesystem>

#include "Lib3DTestSupport.h"

namespace {

const std::string ModelDir = SKYREND_TESTDATA_DIR "/ms3d-ascii";
const std::string MissingPrefix = "Cannot find the file: ";

std::string ReadTextFile(const std::string& Path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(Path);
  return std::string(bytes.begin(), bytes.end());
}

void ReplaceOnce(std::string& Text, const std::string& From, const std::string& To) {
  const size_t at = Text.find(From);
  ASSERT_NE(at, std::string::npos) << From;
  Text.replace(at, From.size(), To);
}

// Loads Name from a temporary copy of the folder, writing a small 24-bit
// stand-in for every texture the reader asks for, until the model loads.
// Gives the stand-ins' names in the order they were asked for.
std::vector<std::string> LoadWithStandInTextures(TMS3DObj*& Model, std::unique_ptr<TMS3DObj>& Owner,
                                                 const std::string& Name, const TTempDir& Dir) {
  std::filesystem::copy_file(ModelDir + "/" + Name, Dir.File(Name));
  std::vector<std::string> standIns;
  for (int attempt = 0; attempt < 10; ++attempt) {
    Owner = std::make_unique<TMS3DObj>();
    Model = Owner.get();
    TMessageLog log;
    const std::string failure = TryLoad(*Model, Name, Dir.Path, log);
    if (failure.empty()) return standIns;
    if (log.Messages.size() != 1 || log.Messages[0].rfind(MissingPrefix, 0) != 0) {
      ADD_FAILURE() << failure;
      return standIns;
    }
    standIns.push_back(log.Messages[0].substr(MissingPrefix.size()));
    // A backslash separates folders as "/" does.
    std::string path = standIns.back();
    std::replace(path.begin(), path.end(), '\\', '/');
    std::filesystem::create_directories(std::filesystem::path(Dir.File(path)).parent_path());
    Dir.Write(path, SolidBitmap(8, 8, 0x808080));
  }
  ADD_FAILURE() << "still failing";
  return standIns;
}

class RealModels : public ::testing::Test {
 protected:
  void SetUp() override { SharedContext(); }
  std::string Load(const std::string& Name) {
    Model = std::make_unique<TMS3DObj>();
    return TryLoad(*Model, Name, ModelDir, Log);
  }
  // After a complete load every counter equals its count and the drawing
  // copies equal the arrays.
  void ExpectComplete(const TMS3DObj& M) {
    EXPECT_EQ(M.ParseState, 6);
    EXPECT_EQ(M.CurrentMesh, M.NumMeshes);
    for (const T3DMesh& mesh : M.Meshes) {
      SCOPED_TRACE(mesh.Name);
      EXPECT_EQ(mesh.VertexCounter, mesh.NumVertices);
      EXPECT_EQ(mesh.NormalCounter, mesh.NumNormals);
      EXPECT_EQ(mesh.TriangleCounter, mesh.NumTriangles);
      ASSERT_EQ(mesh.DrawVertices.size(), mesh.Vertices.size());
      for (size_t i = 0; i < mesh.Vertices.size(); ++i) EXPECT_EQ(mesh.DrawVertices[i].X, mesh.Vertices[i].X);
    }
    EXPECT_EQ(M.CurrentMaterial, M.NumMaterials);
    EXPECT_EQ(static_cast<int32_t>(M.Bones.size()), M.NumBones);
  }
  // Draws solid and outlined; gives the first GL error, if any.
  GLenum DrawBoth(TMS3DObj& M) {
    while (glGetError() != GL_NO_ERROR) {
    }
    M.Draw(false);
    M.Draw(true);
    const GLenum error = glGetError();
    while (glGetError() != GL_NO_ERROR) {
    }
    return error;
  }
  std::unique_ptr<TMS3DObj> Model;
  TMessageLog Log;
};

}  // namespace

TEST_F(RealModels, CameraHasNoMaterialsAndDrawsWithTheDefault) {
  ASSERT_EQ(Load("jme-camera.txt"), "");
  ExpectComplete(*Model);
  EXPECT_EQ(Model->NumFrames, 30);
  ASSERT_EQ(Model->NumMeshes, 2);
  EXPECT_EQ(Model->Meshes[0].Name, "\"Box01\"");
  EXPECT_EQ(Model->Meshes[0].MaterialIndex, -1);
  EXPECT_EQ(Model->Meshes[1].NumVertices, 116);
  EXPECT_EQ(Model->Meshes[1].NumNormals, 95);
  EXPECT_EQ(Model->Meshes[1].NumTriangles, 168);
  EXPECT_EQ(Model->NumMaterials, 0);
  EXPECT_EQ(DrawBoth(*Model), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RealModels, OrbitalNoteHasUntexturedMaterials) {
  ASSERT_EQ(Load("stepmania-kb7-orbital-note.txt"), "");
  ExpectComplete(*Model);
  ASSERT_EQ(Model->NumMeshes, 2);
  EXPECT_EQ(Model->Meshes[1].MaterialIndex, 1);
  ASSERT_EQ(Model->NumMaterials, 2);
  for (const TMaterial& m : Model->Materials) EXPECT_FALSE(m.Textured);
  // Sixteen triangles share the scroll mesh's one normal.
  for (const T3DVertex& v : Model->Meshes[0].Vertices) EXPECT_FLOAT_EQ(v.Normal.z, 1.0f);
  EXPECT_EQ(Log.Messages.size(), 0u);
  EXPECT_EQ(DrawBoth(*Model), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RealModels, ModelsWhoseTexturesWereNotShippedFailOnTheFirstOne) {
  // The source projects' textures are not in the test data (and are not
  // 24-bit bitmaps), so each of these stops at its first texture.
  const struct {
    const char* Model;
    const char* Texture;
  } cases[] = {
      {"jme-run.txt", "DM_Base.bmp"},
      {"stepmania-box-model.txt", "_box-texture.png"},
      {"stepmania-midi-note-3d-down-tap-note.txt", "tex\\black.png"},
      // Not a model: a material list alone. The reader is positional, so its
      // number lines fill the header fields, "0.8" rounds to one material, and
      // the line "0.000000 0.000000 0.000000 1.000000" lands on the texture
      // line, whose first token without its ends names ".00000".
      {"stepmania-kb7-orbital-grey.materials-only.txt", ".00000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Model);
    Log.Messages.clear();
    EXPECT_EQ(Load(c.Model), FailureFor(c.Texture, "File not found"));
    ASSERT_EQ(Log.Messages.size(), 1u);
    EXPECT_EQ(Log.Messages[0], MissingPrefix + c.Texture);
  }
}

TEST_F(RealModels, RunModelLoadsWithStandInTexturesAndKeepsItsBones) {
  TTempDir dir;
  TMS3DObj* model = nullptr;
  const auto standIns = LoadWithStandInTextures(model, Model, "jme-run.txt", dir);
  EXPECT_EQ(standIns, (std::vector<std::string>{"DM_Base.bmp", "DM_Face.bmp"}));
  ExpectComplete(*model);
  EXPECT_EQ(model->NumFrames, 23);
  EXPECT_EQ(model->Meshes[0].NumVertices, 454);
  EXPECT_EQ(model->Meshes[1].NumTriangles, 146);
  EXPECT_TRUE(model->Materials[1].Textured);
  ASSERT_EQ(model->NumBones, 32);
  EXPECT_EQ(model->Bones[0].Name, "Bip01");
  EXPECT_EQ(model->Bones[0].ParentName, "");
  // "Bip01 Pelvis" is cut at its space; the first token without its ends.
  EXPECT_EQ(model->Bones[1].Name, "Bip0");
  for (const TBone& b : model->Bones) {
    EXPECT_EQ(b.NumPosKeys, 22);
    EXPECT_EQ(b.RotKeyCounter, 22);
  }
  EXPECT_EQ(DrawBoth(*model), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RealModels, MidiNoteLoadsWithStandInsForItsFiveTextureNames) {
  TTempDir dir;
  TMS3DObj* model = nullptr;
  const auto standIns = LoadWithStandInTextures(model, Model, "stepmania-midi-note-3d-down-tap-note.txt", dir);
  EXPECT_EQ(standIns, (std::vector<std::string>{"tex\\black.png", "tex\\outside.ini", "tex\\inside.png",
                                                "tex\\overlay.png", "tex\\overlay.ini"}));
  ExpectComplete(*model);
  ASSERT_EQ(model->NumMeshes, 5);
  EXPECT_EQ(model->Meshes[3].MaterialIndex, 4);
  EXPECT_EQ(model->Meshes[4].MaterialIndex, 3);
  EXPECT_EQ(model->Meshes[1].NumNormals, 2);
  EXPECT_EQ(DrawBoth(*model), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RealModels, CrLfBoxLoadsWithAStandInTexture) {
  TTempDir dir;
  TMS3DObj* model = nullptr;
  EXPECT_EQ(LoadWithStandInTextures(model, Model, "stepmania-box-model.txt", dir),
            std::vector<std::string>{"_box-texture.png"});
  ExpectComplete(*model);
  EXPECT_EQ(model->Meshes[0].Name, "\"Box01\"");
  EXPECT_EQ(model->Materials[0].Name, "\"Material02\"");
  EXPECT_FLOAT_EQ(model->MinX, -255.998993f);
  EXPECT_FLOAT_EQ(model->MaxY, 256.001007f);
  EXPECT_EQ(model->Meshes[0].Triangles[11].SmoothingGroup, 7);
}

TEST_F(RealModels, BoxWithADotBackslashTextureAndAHugeShininessLoads) {
  // The box again, edited as other exporters write it: the texture named
  // from ".\\" and a shininess far outside 0..128.
  std::string text = ReadTextFile(ModelDir + "/stepmania-box-model.txt");
  ReplaceOnce(text, "\"_box-texture.png\"", "\".\\_box-texture.png\"");
  ReplaceOnce(text, "\r\n0.000000\r\n1.000000\r\n\".", "\r\n16384.000000\r\n1.000000\r\n\".");
  TTempDir dir;
  dir.Write("box.txt", text);
  Model = std::make_unique<TMS3DObj>();
  dir.Write("_box-texture.png", SolidBitmap(8, 8, 0x808080));
  ASSERT_EQ(TryLoad(*Model, "box.txt", dir.Path, Log), "");
  ExpectComplete(*Model);
  EXPECT_EQ(Model->Materials[0].TextureFile, ".\\_box-texture.png");
  EXPECT_TRUE(Model->Materials[0].Textured);
  EXPECT_FLOAT_EQ(Model->Materials[0].Shininess, 16384.0f);
  // The exponent is passed on as read; GL refuses one above 128.
  EXPECT_EQ(DrawBoth(*Model), static_cast<GLenum>(GL_INVALID_VALUE));
}
