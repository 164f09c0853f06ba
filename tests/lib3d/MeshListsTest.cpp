// Compiled meshes and the view test: the same pixels as vertex-by-vertex
// drawing, and objects skipped only when wholly out of view.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "Lib3DTestSupport.h"

namespace {

// A fan of four triangles around the origin, radius Size, in the plane z = 0;
// every corner has a normal of its own, so lit corners differ in colour.
std::string FanModel(float Size, const std::string& Texture = "") {
  const float s = Size;
  std::string text = "Frames: 30\nFrame: 1\nMeshes: 1\n\"fan\" 0 0\n5\n";
  const float xy[5][2] = {{0, 0}, {s, 0}, {0, s}, {-s, 0}, {0, -s}};
  for (auto& p : xy)
    text += "0 " + std::to_string(p[0]) + " " + std::to_string(p[1]) + " 0 " + std::to_string(p[0] / (2 * s) + 0.5f) +
            " " + std::to_string(p[1] / (2 * s) + 0.5f) + " -1\n";
  text += "5\n0 0 1\n0.6 0 0.8\n0 0.6 0.8\n-0.6 0 0.8\n0 -0.6 0.8\n4\n";
  text += "0 0 1 2 0 1 2 1\n0 0 2 3 0 2 3 1\n0 0 3 4 0 3 4 1\n0 0 4 1 0 4 1 1\n";
  text += "Materials: 1\n\"mat\"\n0.2 0.2 0.2 1\n0.9 0.5 0.2 1\n0.5 0.5 0.5 1\n0 0 0 1\n20\n1\n\"" + Texture +
          "\"\n\"\"\n";
  return text + "Bones: 0\n";
}

class MeshLists : public ::testing::Test {
 protected:
  void SetUp() override {
    PlainDrawState();
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const float light[4] = {1, 2, 3, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glShadeModel(GL_FLAT);
    glLineWidth(2);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  void TearDown() override {
    glDisable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glLineWidth(1);
  }
  TMS3DObj& Load(const std::string& Text) {
    Dir.Write("m.txt", Text);
    Dir.Write("t.bmp", SolidBitmap(8, 8, 0xC08040));
    Model = std::make_unique<TMS3DObj>();
    TMessageLog log;
    EXPECT_EQ(TryLoad(*Model, "m.txt", Dir.Path, log), "");
    return *Model;
  }
  template <typename Draw>
  std::vector<uint8_t> Picture(Draw draw) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    return SharedContext().ReadPixels();
  }
  TTempDir Dir;
  std::unique_ptr<TMS3DObj> Model;
};

TEST_F(MeshLists, OutlinesMatchPerTriangleLoopsAndTheFallbackMatchesTheLists) {
  TMS3DObj& model = Load(FanModel(0.8f));
  const T3DMesh& mesh = model.Meshes[0];
  ASSERT_NE(mesh.OutlineList, 0u);
  const auto listedOutline = Picture([&] { model.Draw(true); });
  // The loops by hand, in the material the draw left set.
  const auto loops = Picture([&] {
    for (const T3DTriangle& t : mesh.Triangles) {
      glBegin(GL_LINE_LOOP);
      for (int k = 0; k < 3; ++k) {
        const TVec3& n = mesh.DrawNormals[t.NormalIndices[k]];
        const T3DVertex& v = mesh.DrawVertices[t.VertexIndices[k]];
        glNormal3f(n.x, n.y, n.z);
        glVertex3f(v.X, v.Y, v.Z);
      }
      glEnd();
    }
  });
  const auto listedFill = Picture([&] { model.Draw(false); });
  EXPECT_TRUE(loops == listedOutline) << "outline segments differ from per-triangle loops";

  // Without lists (none could be made) the draw sends the same vertices itself.
  model.Meshes[0].FilledList = model.Meshes[0].OutlineList = 0;
  EXPECT_TRUE(Picture([&] { model.Draw(true); }) == listedOutline);
  EXPECT_TRUE(Picture([&] { model.Draw(false); }) == listedFill);
}

TEST_F(MeshLists, OnlyObjectsWhollyOutsideTheViewAreSkippedAndTheyStillSetTheirState) {
  // A view twice as wide as high: x within -2..2 at the near plane.
  glMatrixMode(GL_PROJECTION);
  glFrustum(-2, 2, -1, 1, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  auto drawnAt = [&](TMS3DObj& model, float X, float Z) {
    glLoadIdentity();
    glTranslatef(X, 0, Z);
    const TDrawCounters before = DrawCounters;
    const auto picture = Picture([&] { model.Draw(false); });
    EXPECT_EQ(DrawCounters.Objects + DrawCounters.Culled, before.Objects + before.Culled + 1);
    bool lit = false;
    for (size_t i = 0; i < picture.size(); i += 4) lit = lit || picture[i] || picture[i + 1] || picture[i + 2];
    const bool sent = DrawCounters.Objects > before.Objects;
    EXPECT_EQ(sent, lit) << "at x " << X;
    return sent;
  };

  // Five ahead the view reaches x = 10 on either side.
  TMS3DObj& small = Load(FanModel(1));
  EXPECT_TRUE(drawnAt(small, 7.5f, -5));  // beyond x = 5 of a square view, inside this one
  EXPECT_FALSE(drawnAt(small, 14, -5));   // wholly right of the view
  EXPECT_FALSE(drawnAt(small, 0, 5));     // behind the eye

  // Its centre outside, its edge reaching in: drawn.
  TMS3DObj& big = Load(FanModel(8));
  EXPECT_TRUE(drawnAt(big, 15, -5));

  // A skipped textured object still leaves the state its draw sets.
  TMS3DObj& textured = Load(FanModel(1, "t.bmp"));
  glDisable(GL_ALPHA_TEST);
  glBlendFunc(GL_ONE, GL_ZERO);
  EXPECT_FALSE(drawnAt(textured, 14, -5));
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  GLint dst = 0;
  glGetIntegerv(GL_BLEND_DST, &dst);
  EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
  GLfloat diffuse[4];
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  EXPECT_FLOAT_EQ(diffuse[1], 0.5f);
}

}  // namespace
