// Software renderers told apart, and the flushes between models made on them:
// counted through the flush a test hands in, with models drawn in the headless
// context.
#include <gtest/gtest.h>

#include "DrawChunks.h"
#include "Lib3DTestSupport.h"
#include "SoftwareRenderer.h"
#include "TestModels.h"

namespace {

int Flushes = 0;
void CountFlush() { ++Flushes; }

}  // namespace

TEST(DrawChunks, SoftwareRenderersAreToldFromGraphicsCards) {
  EXPECT_TRUE(IsSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsSoftwareRenderer("Mesa softpipe"));
  EXPECT_TRUE(IsSoftwareRenderer("Google SwiftShader"));
  EXPECT_FALSE(IsSoftwareRenderer("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"));
  EXPECT_FALSE(IsSoftwareRenderer(nullptr));
  EXPECT_EQ(DrawChunkFor("llvmpipe (LLVM 15.0.6, 256 bits)"), SoftwareDrawChunk);
  EXPECT_EQ(DrawChunkFor("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"), 0);
}

// A box of 12 triangles drawn in view and out of it, filled (12 primitives)
// and outlined (36 segments): a flush once 40 were sent since the frame began
// or the last flush, none for a model out of view, none at all with no chunk.
TEST(DrawChunks, AFlushFollowsTheModelThatFillsTheChunk) {
  SharedContext();
  TTempDir dir;
  dir.Write("box.txt", BoxModelText(-1, -1, -1, 1, 1, 1, 1, 0, 0));
  TMS3DObj box;
  TMessageLog log;
  ASSERT_EQ(TryLoad(box, "box.txt", dir.Path, log), "");
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-10, 10, -10, 10, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  SetDrawChunk(40, CountFlush);
  Flushes = 0;
  StartDrawChunk();
  box.Draw(false);
  box.Draw(false);
  box.Draw(false);
  EXPECT_EQ(Flushes, 0) << "36 triangles sent";
  box.Draw(false);
  EXPECT_EQ(Flushes, 1) << "48 sent";
  box.Draw(true);
  EXPECT_EQ(Flushes, 1) << "36 segments sent since";
  glTranslatef(100, 0, 0);
  for (int i = 0; i < 5; ++i) box.Draw(false);
  EXPECT_EQ(Flushes, 1) << "out of view, nothing sent";
  glLoadIdentity();
  box.Draw(false);
  EXPECT_EQ(Flushes, 2) << "48 since the last";
  box.Draw(true);
  StartDrawChunk();
  box.Draw(false);
  box.Draw(false);
  EXPECT_EQ(Flushes, 2) << "a new frame starts its count again";

  SetDrawChunk(0, CountFlush);
  for (int i = 0; i < 10; ++i) box.Draw(false);
  EXPECT_EQ(Flushes, 2);
  SetDrawChunk(0);
}
