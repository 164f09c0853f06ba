// The load's stages apart: reading and finding textures on a thread with no
// GL context, then compiling where the context is current.
#include <gtest/gtest.h>

#include <EGL/egl.h>
#include <GL/gl.h>

#include <string>
#include <thread>
#include <vector>

#include "Lib3DTestSupport.h"

namespace {

std::vector<uint8_t> TextureImage(uint32_t Id, GLenum Format, size_t Bytes) {
  std::vector<uint8_t> image(Bytes);
  glBindTexture(GL_TEXTURE_2D, Id);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, Format, GL_UNSIGNED_BYTE, image.data());
  return image;
}

}  // namespace

TEST(ModelStages, ReadAndResolveNeedNoContextAndCompileUploadsWhatTheyDecoded) {
  SharedContext();
  TTempDir dir;
  TBitmapRecipe recipe;
  recipe.Width = 2;
  recipe.Pixels = {0x102030, 0x405060};
  dir.Write("two.bmp", MakeBitmap(recipe));
  // Three materials: one file under two names, then the same file colour-keyed.
  std::string text = "Frames: 1\nFrame: 1\nMeshes: 1\n\"m\" 0 0\n1\n0 0 0 0 0 0 -1\n1\n0 0 1\n1\n0 0 0 0 0 0 0 0\n"
                     "Materials: 3\n";
  for (const char* line : {"\"a\"\n0 0 0 1\n1 1 1 1\n0 0 0 1\n0 0 0 1\n0\n1\n\"two.bmp\"\n\"\"\n",
                           "\"b\"\n0 0 0 1\n1 1 1 1\n0 0 0 1\n0 0 0 1\n0\n1\n\"./two.bmp\"\n\"\"\n",
                           "\"masked\"\n0 0 0 1\n1 1 1 1\n0 0 0 1\n0 0 0 1\n0\n1\n\"two.bmp\"\n\"\"\n"})
    text += line;

  TMS3DObj model;
  TMessageLog log;
  std::string failure = "not run";
  std::thread([&] {
    failure = eglGetCurrentContext() == EGL_NO_CONTEXT ? "" : "a context is current";
    try {
      model.ReadAndResolve("model.txt", text, dir.Path, log);
    } catch (const ELoadError& e) {
      failure = LoadFailureMessage(e.FileName, e.what());
    }
  }).join();
  ASSERT_EQ(failure, "");
  ASSERT_EQ(model.Textures.size(), 2u);
  EXPECT_EQ(model.Materials[0].TextureIndex, 0);
  EXPECT_EQ(model.Materials[1].TextureIndex, 0);
  EXPECT_EQ(model.Materials[2].TextureIndex, 1);
  EXPECT_EQ(model.Materials[2].TextureWidth, 2);
  const std::vector<uint8_t> plain = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
  const std::vector<uint8_t> keyed = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 255};
  EXPECT_EQ(model.Textures[0]->Image, plain);
  EXPECT_EQ(model.Textures[1]->Image, keyed);
  EXPECT_EQ(model.Materials[0].TextureId, 0u);

  model.Compile();
  EXPECT_NE(model.Materials[0].TextureId, 0u);
  EXPECT_EQ(model.Materials[1].TextureId, model.Materials[0].TextureId);
  EXPECT_NE(model.Materials[2].TextureId, model.Materials[0].TextureId);
  EXPECT_TRUE(model.Textures[0]->Image.empty());
  EXPECT_EQ(TextureImage(model.Materials[0].TextureId, GL_RGB, plain.size()), plain);
  EXPECT_EQ(TextureImage(model.Materials[2].TextureId, GL_RGBA, keyed.size()), keyed);
  EXPECT_TRUE(log.Messages.empty());
}
