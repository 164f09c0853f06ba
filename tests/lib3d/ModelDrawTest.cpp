// Model drawing in the headless GL context: the state each kind of mesh
// leaves behind, the material it sets, and what reaches the pixels.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "Lib3DTestSupport.h"

namespace {

struct TQuadMaterial {
  std::string Name = "\"mat\"";
  std::string Diffuse = "0.8 0.8 0.8 1";
  std::string Transparency = "1";
  std::string Texture = "\"\"";
};

// A model of one quad per entry of Meshes (the entry is its material index),
// each covering the whole view: (-1,-1)..(1,1), picture top at y = 1.
std::string QuadModel(const std::vector<int>& Meshes, const std::vector<TQuadMaterial>& Materials) {
  std::string text = "Frames: 30\nFrame: 1\nMeshes: " + std::to_string(Meshes.size()) + "\n";
  for (int material : Meshes) {
    text += "\"quad\" 0 " + std::to_string(material) + "\n4\n";
    text += "0 -1 1 0 0 0 -1\n0 1 1 0 1 0 -1\n0 -1 -1 0 0 1 -1\n0 1 -1 0 1 1 -1\n";
    text += "1\n0 0 1\n2\n0 0 2 1 0 0 0 1\n0 1 2 3 0 0 0 1\n";
  }
  text += "Materials: " + std::to_string(Materials.size()) + "\n";
  for (const TQuadMaterial& m : Materials) {
    text += m.Name + "\n0.2 0.3 0.4 1\n" + m.Diffuse + "\n0.1 0.1 0.1 1\n0 0 0 1\n5\n" + m.Transparency + "\n" +
            m.Texture + "\n\"\"\n";
  }
  return text + "Bones: 0\n";
}

GLboolean IsOn(GLenum Cap) { return glIsEnabled(Cap); }
GLint GetInt(GLenum Name) {
  GLint v = 0;
  glGetIntegerv(Name, &v);
  return v;
}
GLboolean DepthMask() {
  GLboolean v = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &v);
  return v;
}

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlainDrawState();
    glDisable(GL_LIGHTING);
    glDepthMask(GL_TRUE);
    glBlendFunc(GL_ONE, GL_ZERO);
    glAlphaFunc(GL_ALWAYS, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0.5f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // Left half of the picture magenta (the key: bottom-left), right half
    // green. 16 texels across, so that linear filtering at the sampled
    // pixels mixes only texels of one half.
    Dir.Write("halves.bmp", Halves(0xFF00FF, 0x00FF00));
    Dir.Write("blackred.bmp", Halves(0x000000, 0xFF0000));
  }
  static std::vector<uint8_t> Halves(uint32_t Left, uint32_t Right) {
    TBitmapRecipe s;
    s.Width = 16;
    s.Height = 16;
    for (int i = 0; i < 256; ++i) s.Pixels.push_back(i % 16 < 8 ? Left : Right);
    return MakeBitmap(s);
  }
  TMS3DObj& Load(const std::string& Text) {
    Dir.Write("model.txt", Text);
    Model = std::make_unique<TMS3DObj>();
    TMessageLog log;
    EXPECT_EQ(TryLoad(*Model, "model.txt", Dir.Path, log), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return *Model;
  }
  TTempDir Dir;
  std::unique_ptr<TMS3DObj> Model;
};

TQuadMaterial Textured(const std::string& File, const std::string& Transparency = "1", const std::string& Name = "\"mat\"") {
  TQuadMaterial m;
  m.Texture = "\"" + File + "\"";
  m.Transparency = Transparency;
  m.Name = Name;
  return m;
}

TQuadMaterial Plain(const std::string& Transparency = "1") {
  TQuadMaterial m;
  m.Transparency = Transparency;
  return m;
}

}  // namespace

TEST_F(DrawTest, OpaqueTexturedMeshState) {
  TMS3DObj& model = Load(QuadModel({0}, {Textured("halves.bmp")}));
  glBindTexture(GL_TEXTURE_2D, 0);
  glDepthMask(GL_FALSE);
  model.Draw(false);
  EXPECT_FALSE(IsOn(GL_TEXTURE_2D));
  EXPECT_FALSE(IsOn(GL_BLEND));
  EXPECT_TRUE(IsOn(GL_ALPHA_TEST));
  EXPECT_EQ(GetInt(GL_ALPHA_TEST_FUNC), GL_GEQUAL);
  GLfloat ref = 0;
  glGetFloatv(GL_ALPHA_TEST_REF, &ref);
  EXPECT_NEAR(ref, 0.01f, 1e-6);
  EXPECT_EQ(DepthMask(), GL_FALSE);  // untouched
  EXPECT_EQ(GetInt(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(GetInt(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
  GLint env = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  EXPECT_EQ(env, GL_MODULATE);
  EXPECT_EQ(static_cast<GLuint>(GetInt(GL_TEXTURE_BINDING_2D)), model.Materials[0].TextureId);
}

TEST_F(DrawTest, TexturesAreClampedLinearAndKeepTheirChannels) {
  // Unmasked RGB, masked RGBA; the last texture made stays bound after loading.
  TMS3DObj& model = Load(QuadModel({0, 1}, {Textured("halves.bmp"), Textured("blackred.bmp", "1", "\"Masked\"")}));
  EXPECT_EQ(static_cast<GLuint>(GetInt(GL_TEXTURE_BINDING_2D)), model.Materials[1].TextureId);
  const GLint formats[] = {GL_RGB, GL_RGBA};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    glBindTexture(GL_TEXTURE_2D, model.Materials[i].TextureId);
    GLint v = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &v);
    EXPECT_EQ(v, GL_CLAMP);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &v);
    EXPECT_EQ(v, GL_CLAMP);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &v);
    EXPECT_EQ(v, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &v);
    EXPECT_EQ(v, GL_LINEAR);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &v);
    EXPECT_EQ(v, formats[i]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &v);
    EXPECT_EQ(v, 16);
  }
}

// A glow writes no depth, and leaves depth writing on for what follows.
TEST_F(DrawTest, TransparentTexturedMeshIsAdditiveAndLeavesDepthWritingOn) {
  TMS3DObj& model = Load(QuadModel({0}, {Textured("blackred.bmp", "0.5")}));
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  glClearDepth(1);
  glClear(GL_DEPTH_BUFFER_BIT);
  glDepthMask(GL_FALSE);
  model.Draw(false);
  glDisable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  float depth = 0;
  glReadPixels(56, 32, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_EQ(depth, 1.0f) << "no depth written where the glow is drawn";
  EXPECT_EQ(DepthMask(), GL_TRUE);
  EXPECT_EQ(GetInt(GL_BLEND_DST), GL_ONE);
  EXPECT_FALSE(IsOn(GL_BLEND));
  // Black texels leave the background; red ones add to it.
  const uint32_t background = SharedContext().PixelAt(8, 32);
  const uint32_t red = SharedContext().PixelAt(56, 32);
  EXPECT_EQ(background >> 16, 0u);
  EXPECT_NEAR(static_cast<int>(background & 0xFF), 128, 1);
  EXPECT_EQ(red >> 16, 0xFFu);
  EXPECT_NEAR(static_cast<int>(red & 0xFF), 128, 1);
}

TEST_F(DrawTest, UntexturedMeshState) {
  TMS3DObj& model = Load(QuadModel({0}, {Plain()}));
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  model.Draw(false);
  EXPECT_FALSE(IsOn(GL_TEXTURE_2D));
  EXPECT_FALSE(IsOn(GL_BLEND));
  EXPECT_TRUE(IsOn(GL_ALPHA_TEST));  // untouched
  EXPECT_EQ(DepthMask(), GL_TRUE);
  glDisable(GL_ALPHA_TEST);
  glDepthMask(GL_FALSE);
  model.Draw(false);
  EXPECT_FALSE(IsOn(GL_ALPHA_TEST));
  EXPECT_EQ(DepthMask(), GL_FALSE);
}

TEST_F(DrawTest, TransparentUntexturedMeshSwitchesDepthWritingOff) {
  TMS3DObj& model = Load(QuadModel({0}, {Plain("0.5")}));
  model.Draw(false);
  EXPECT_EQ(DepthMask(), GL_FALSE);
  EXPECT_FALSE(IsOn(GL_BLEND));
}

TEST_F(DrawTest, OutlinesChangeNoState) {
  TMS3DObj& model = Load(QuadModel({0, 1}, {Textured("halves.bmp", "0.5"), Plain("0.5")}));
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  model.Draw(true);
  EXPECT_TRUE(IsOn(GL_TEXTURE_2D));
  EXPECT_TRUE(IsOn(GL_BLEND));
  EXPECT_FALSE(IsOn(GL_ALPHA_TEST));
  EXPECT_EQ(DepthMask(), GL_FALSE);
  // After a solid draw texturing stays off for the outlines.
  model.Draw(false);
  model.Draw(true);
  EXPECT_FALSE(IsOn(GL_TEXTURE_2D));
  // The outline of the quad's edge is drawn.
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glMatrixMode(GL_MODELVIEW);
  glScalef(0.5f, 0.5f, 1);
  model.Draw(true);
  EXPECT_EQ(SharedContext().PixelAt(32, 16), 0xFFFFFFu);  // on the top edge
  EXPECT_EQ(SharedContext().PixelAt(24, 24), 0x000080u);  // inside: not filled
}

TEST_F(DrawTest, MaterialIsSetFromTheMeshsMaterialAtEveryDraw) {
  TMS3DObj& model = Load(QuadModel({0}, {Plain()}));
  GLfloat v[4];
  model.Draw(false);
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, v);
  EXPECT_FLOAT_EQ(v[1], 0.3f);
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v);
  EXPECT_FLOAT_EQ(v[0], 0.8f);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, v);
  EXPECT_FLOAT_EQ(v[0], 0.1f);
  glGetMaterialfv(GL_FRONT, GL_SHININESS, v);
  EXPECT_FLOAT_EQ(v[0], 5.0f);
  model.Materials[0].Diffuse[0] = 0.25f;
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v);
  EXPECT_FLOAT_EQ(v[0], 0.8f);  // the next draw, not the change, sets it
  model.Draw(false);
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v);
  EXPECT_FLOAT_EQ(v[0], 0.25f);
}

TEST_F(DrawTest, MeshWithoutAMaterialDrawsWithTheDefaultOne) {
  // Mesh 0 has a material, mesh 1 names none (-1), mesh 2 names one past the end.
  TQuadMaterial first = Plain("0.5");
  first.Diffuse = "0.1 0.2 0.3 0.4";
  for (int missing : {-1, 1}) {
    TMS3DObj& model = Load(QuadModel({0, missing}, {first}));
    glDepthMask(GL_TRUE);
    model.Draw(false);
    GLfloat v[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v);
    EXPECT_FLOAT_EQ(v[0], 0.8f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[0], 0.2f);
    EXPECT_EQ(DepthMask(), GL_FALSE);  // from mesh 0; the default material is opaque
    EXPECT_FALSE(IsOn(GL_TEXTURE_2D));
    model.Draw(true);
  }
}

TEST_F(DrawTest, MaskedKeyTexelsAreNotDrawn) {
  // Not transparent: the alpha test alone drops the key colour.
  TMS3DObj& model = Load(QuadModel({0}, {Textured("halves.bmp", "1", "\"MASKED\"")}));
  ASSERT_TRUE(model.Materials[0].Masked);
  model.Draw(false);
  EXPECT_EQ(SharedContext().PixelAt(8, 32), 0x000080u);   // background shows through
  EXPECT_EQ(SharedContext().PixelAt(56, 32), 0x00FF00u);  // green drawn

  // Unmasked, the same picture draws magenta.
  TMS3DObj& plain = Load(QuadModel({0}, {Textured("halves.bmp")}));
  plain.Draw(false);
  EXPECT_EQ(SharedContext().PixelAt(8, 32), 0xFF00FFu);
}

TEST_F(DrawTest, UntexturedMeshAfterATexturedOneDrawsWithoutTexture) {
  TMS3DObj& model = Load(QuadModel({0, 1}, {Textured("halves.bmp"), Plain()}));
  model.Draw(false);
  // Lighting is off, so the untextured quad takes the current colour, white.
  EXPECT_EQ(SharedContext().PixelAt(56, 32), 0xFFFFFFu);
  EXPECT_EQ(SharedContext().PixelAt(8, 32), 0xFFFFFFu);
}

TEST_F(DrawTest, TexturedMeshesInARowLeaveTexturingAndBlendingOffAfterTheLast) {
  TMS3DObj& model = Load(QuadModel({0, 0, 0}, {Textured("halves.bmp")}));
  model.Draw(false);
  EXPECT_FALSE(IsOn(GL_TEXTURE_2D));
  EXPECT_FALSE(IsOn(GL_BLEND));
}

TEST_F(DrawTest, TextureRowsFollowTheVCoordinate) {
  // V = 0 addresses the picture's top: a picture red on top, blue below.
  TBitmapRecipe s;
  s.Width = 16;
  s.Height = 16;
  for (int i = 0; i < 256; ++i) s.Pixels.push_back(i < 128 ? 0x0000FF : 0xFF0000);  // bottom rows stored first
  Dir.Write("topred.bmp", MakeBitmap(s));
  TMS3DObj& model = Load(QuadModel({0}, {Textured("topred.bmp")}));
  model.Draw(false);
  EXPECT_EQ(SharedContext().PixelAt(32, 4), 0xFF0000u);
  EXPECT_EQ(SharedContext().PixelAt(32, 60), 0x0000FFu);
}

TEST(CheckGLError, ReportsAPendingErrorOnce) {
  SharedContext();
  while (glGetError() != GL_NO_ERROR) {
  }
  TMessageLog log;
  EXPECT_TRUE(CheckGLError(log));
  EXPECT_TRUE(log.Messages.empty());
  glEnable(0x7FFF);  // not a capability
  EXPECT_FALSE(CheckGLError(log));
  ASSERT_EQ(log.Messages.size(), 1u);
  EXPECT_EQ(log.Messages[0], "Error: invalid enumerant");
  EXPECT_TRUE(CheckGLError(log));
}
