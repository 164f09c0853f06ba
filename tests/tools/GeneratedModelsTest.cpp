// The generated model files, read back through the game's own model reader
// from the program's folder, against the geometry the game needs of them.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "HeadlessContext.h"
#include "MerivexLib3D.h"

namespace {

const char* const kModelFiles[16] = {
    "GameText.txt",     "logo.txt",     "GreenTank.txt",  "Alien1.txt",           "Alien2.txt",      "EvilEye.txt",
    "Alien3.txt",       "Alien1Shadow.txt", "Obstacle.txt", "StarBullet.txt",     "WhiteDiamond.txt",
    "RedDiamondShadow.txt", "AlienBullet.txt", "Rocket.txt", "Teleport.txt",      "FloorTile.txt"};

class TRecordedMessages : public IMessageSink {
 public:
  void ShowMessage(const std::string& Text) override { Messages.push_back(Text); }
  std::vector<std::string> Messages;
};

struct TPoint {
  float X, Y, Z;
};

// Every vertex of every mesh.
std::vector<TPoint> AllVertices(const TMS3DObj& Model) {
  std::vector<TPoint> points;
  for (const T3DMesh& mesh : Model.Meshes)
    for (const T3DVertex& v : mesh.Vertices) points.push_back({v.X, v.Y, v.Z});
  return points;
}

// The face direction that a triangle's winding gives (counter-clockwise = front).
TPoint FaceNormal(const T3DMesh& Mesh, const T3DTriangle& T) {
  const T3DVertex& a = Mesh.Vertices[T.VertexIndices[0]];
  const T3DVertex& b = Mesh.Vertices[T.VertexIndices[1]];
  const T3DVertex& c = Mesh.Vertices[T.VertexIndices[2]];
  const TPoint u{b.X - a.X, b.Y - a.Y, b.Z - a.Z}, v{c.X - a.X, c.Y - a.Y, c.Z - a.Z};
  return {u.Y * v.Z - u.Z * v.Y, u.Z * v.X - u.X * v.Z, u.X * v.Y - u.Y * v.X};
}

// All sixteen models loaded once, with a GL context for their textures.
class GeneratedModels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    context_ = new THeadlessContext(64, 64);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (const char* name : kModelFiles) {
      auto model = std::make_unique<TMS3DObj>();
      try {
        model->LoadFromFile(name, SKYREND_PROGRAM_DIR, messages_);
      } catch (const ELoadError& e) {
        failures_[name] = LoadFailureMessage(e.FileName, e.what());
      }
      models_[name] = std::move(model);
    }
  }
  static void TearDownTestSuite() {
    models_.clear();
    delete context_;
    context_ = nullptr;
  }
  static TMS3DObj& Model(const std::string& Name) { return *models_.at(Name); }

  static THeadlessContext* context_;
  static TRecordedMessages messages_;
  static std::map<std::string, std::string> failures_;
  static std::map<std::string, std::unique_ptr<TMS3DObj>> models_;
};

THeadlessContext* GeneratedModels::context_ = nullptr;
TRecordedMessages GeneratedModels::messages_;
std::map<std::string, std::string> GeneratedModels::failures_;
std::map<std::string, std::unique_ptr<TMS3DObj>> GeneratedModels::models_;

TEST_F(GeneratedModels, EveryModelLoadsWithoutAMessageAndHasMeshesMaterialsAndNoBones) {
  EXPECT_TRUE(messages_.Messages.empty()) << messages_.Messages.front();
  for (const char* name : kModelFiles) {
    SCOPED_TRACE(name);
    EXPECT_EQ(failures_.count(name), 0u) << failures_[name];
    const TMS3DObj& m = Model(name);
    EXPECT_EQ(m.ParseState, 6) << "the file must end with its bones section";
    EXPECT_GE(m.NumMeshes, 1);
    EXPECT_GE(m.NumMaterials, 1);
    EXPECT_EQ(m.NumBones, 0);
    for (const T3DMesh& mesh : m.Meshes) {
      EXPECT_GE(mesh.NumVertices, 1);
      EXPECT_GE(mesh.NumNormals, 1);
      EXPECT_GE(mesh.NumTriangles, 1);
      EXPECT_GE(mesh.MaterialIndex, 0);
      EXPECT_LT(mesh.MaterialIndex, m.NumMaterials);
    }
  }
}

TEST_F(GeneratedModels, EveryNamedBitmapIsATexture) {
  int textured = 0, masked = 0;
  for (const char* name : kModelFiles)
    for (const TMaterial& material : Model(name).Materials) {
      const std::string& file = material.TextureFile;
      if (file.size() < 4 || file.compare(file.size() - 4, 4, ".bmp") != 0) continue;
      SCOPED_TRACE(std::string(name) + " " + material.TextureFile);
      EXPECT_TRUE(material.Textured);
      EXPECT_NE(material.TextureId, 0u);
      ++textured;
      if (!material.Masked) continue;
      ++masked;
      // A colour-keyed texture must both hide its key colour and show the rest.
      int32_t w = 0, h = 0;
      const std::vector<uint8_t> rgba =
          LoadBitmapTexture(std::string(SKYREND_PROGRAM_DIR) + "/" + material.TextureFile, true, w, h);
      int hidden = 0;
      for (size_t i = 3; i < rgba.size(); i += 4) hidden += rgba[i] == 0;
      EXPECT_GT(hidden, 0);
      EXPECT_LT(hidden, w * h);
    }
  EXPECT_GE(textured, 8);
  EXPECT_GE(masked, 3);
}

TEST_F(GeneratedModels, TitleTextFillsMostOfTheViewFiftyInFrontOfTheEye) {
  const TMS3DObj& text = Model("GameText.txt");
  for (const TPoint& p : AllVertices(text)) {
    const float distance = 50 - p.Z;  // from the eye, looking down -z
    ASSERT_GT(distance, 1.0f) << "behind the near plane";
    EXPECT_LT(std::fabs(p.X), 0.97f * distance);
    EXPECT_LT(std::fabs(p.Y), 0.97f * distance);
  }
  EXPECT_LT(text.MinX, -40);
  EXPECT_GT(text.MaxX, 40);
  EXPECT_LT(text.MinY, -10);
  EXPECT_GT(text.MaxY, 10);
  EXPECT_LE(text.MaxY, 16);
  // Drawn without depth writes: the letter faces (last mesh) must face the eye.
  const T3DMesh& faces = text.Meshes.back();
  for (const T3DTriangle& t : faces.Triangles) EXPECT_GT(FaceNormal(faces, t).Z, 0);
}

TEST_F(GeneratedModels, UnderTheTitleASmallerLineInvitesThePlayer) {
  const TMS3DObj& text = Model("GameText.txt");
  // The name spans y -13..13; the invitation lies below it with a gap, in
  // letters less than a third as high, and narrower than the name.
  float top = -1e9f, bottom = 1e9f, left = 1e9f, right = -1e9f;
  for (const TPoint& p : AllVertices(text))
    if (p.Y < -14) {
      top = std::max(top, p.Y);
      bottom = std::min(bottom, p.Y);
      left = std::min(left, p.X);
      right = std::max(right, p.X);
    }
  ASSERT_LT(bottom, top) << "no second line";
  EXPECT_LT(top, -16.0f);
  EXPECT_LT(top - bottom, 26.0f / 3);
  EXPECT_LT(right - left, text.MaxX - text.MinX);
  EXPECT_GT(right - left, 40.0f) << "the whole invitation, not a word of it";
}

TEST_F(GeneratedModels, LogoStaysInViewWhileItTumbles) {
  // The logo turns about x by a, then about y by 2a, at (0, 100, -150).
  for (int a = 0; a < 360; a += 3) {
    const float ax = float(a) * 3.14159265f / 180, ay = 2 * ax;
    for (const TPoint& p : AllVertices(Model("logo.txt"))) {
      const float x1 = p.X * std::cos(ay) + p.Z * std::sin(ay), z1 = -p.X * std::sin(ay) + p.Z * std::cos(ay);
      const float y2 = p.Y * std::cos(ax) - z1 * std::sin(ax), z2 = p.Y * std::sin(ax) + z1 * std::cos(ax);
      const float x = x1, y = y2 + 100, z = z2 - 150;
      ASSERT_LT(std::fabs(x), -z) << "angle " << a;
      ASSERT_LT(std::fabs(y), -z) << "angle " << a;
    }
  }
}

TEST_F(GeneratedModels, AliensStandOnTheFloorWithSensibleRadii) {
  // All aliens are lifted by the first alien's MinY, so that must be 0.
  EXPECT_EQ(Model("Alien1.txt").MinY, 0.0f);
  std::set<std::pair<int, int>> sizes;
  for (const char* name : {"Alien1.txt", "Alien2.txt", "EvilEye.txt", "Alien3.txt"}) {
    SCOPED_TRACE(name);
    const TMS3DObj& alien = Model(name);
    EXPECT_EQ(alien.MinY, 0.0f) << "an alien must not reach below the floor";
    EXPECT_GE(alien.MaxRadius, 40);
    EXPECT_LE(alien.MaxRadius, 60);
    EXPECT_GT(alien.MaxY, 30) << "an alien reaches up towards the eye at 40";
    EXPECT_LT(alien.MaxY, 90);
    sizes.insert({int(alien.MaxX - alien.MinX), int(alien.MaxY)});
  }
  EXPECT_EQ(sizes.size(), 4u) << "four different silhouettes";
}

TEST_F(GeneratedModels, ProjectilesAndRocketHaveTheirRadii) {
  for (const char* name : {"StarBullet.txt", "AlienBullet.txt"}) {
    EXPECT_GE(Model(name).MaxRadius, 10) << name;
    EXPECT_LE(Model(name).MaxRadius, 15) << name;
  }
  const TMS3DObj& rocket = Model("Rocket.txt");
  EXPECT_GE(rocket.MaxRadius, 25);
  EXPECT_LE(rocket.MaxRadius, 35);
  // It flies along +z: longest along z, nose (the body's furthest point) ahead.
  EXPECT_GT(rocket.MaxZ - rocket.MinZ, 2 * (rocket.MaxX - rocket.MinX));
  EXPECT_GE(rocket.MaxZ, 30);
  // The star spins about z facing the viewer: it lies across x and y.
  const TMS3DObj& star = Model("StarBullet.txt");
  EXPECT_LE(star.MaxZ, 6);
  EXPECT_GE(star.MinZ, -6);
  EXPECT_GE(star.MaxX - star.MinX, 20);
}

TEST_F(GeneratedModels, ObstacleRadiusIsItsFootprint) {
  const TMS3DObj& obstacle = Model("Obstacle.txt");
  EXPECT_GE(obstacle.MaxRadius, 80);
  EXPECT_LE(obstacle.MaxRadius, 150);
  EXPECT_EQ(obstacle.MinY, 0.0f);
  for (const TPoint& p : AllVertices(obstacle)) EXPECT_LE(std::hypot(p.X, p.Z), obstacle.MaxRadius + 0.01f);
}

TEST_F(GeneratedModels, FlatPiecesLieOnTheFloorFacingUp) {
  for (const char* name : {"Alien1Shadow.txt", "RedDiamondShadow.txt", "FloorTile.txt"}) {
    SCOPED_TRACE(name);
    const TMS3DObj& flat = Model(name);
    EXPECT_EQ(flat.MinY, 0.0f);
    EXPECT_LE(flat.MaxY, 2.0f);
    for (const T3DMesh& mesh : flat.Meshes)
      for (const T3DTriangle& t : mesh.Triangles) EXPECT_GT(FaceNormal(mesh, t).Y, 0);
  }
  const TMS3DObj& tile = Model("FloorTile.txt");
  EXPECT_GE(tile.MaxX - tile.MinX, 150);
  EXPECT_LE(tile.MaxX - tile.MinX, 250);
  EXPECT_NEAR(tile.MaxX - tile.MinX, tile.MaxZ - tile.MinZ, 0.01);
  EXPECT_TRUE(tile.Materials[0].Textured);
  const TMS3DObj& pad = Model("Teleport.txt");
  EXPECT_LE(pad.MaxY, 30);
  bool glows = false;
  for (const TMaterial& m : pad.Materials) glows |= m.Textured && m.Transparent;
  EXPECT_TRUE(glows) << "the teleport pad is drawn additively";
}

TEST_F(GeneratedModels, DiamondIsAnOctahedronWithItsOwnFirstMaterial) {
  const TMS3DObj& diamond = Model("WhiteDiamond.txt");
  std::set<std::tuple<int, int, int>> corners;
  for (const TPoint& p : AllVertices(diamond))
    corners.insert({int(std::lround(p.X * 100)), int(std::lround(p.Y * 100)), int(std::lround(p.Z * 100))});
  EXPECT_EQ(corners.size(), 6u);
  EXPECT_EQ(diamond.Meshes[0].NumTriangles, 8);
  EXPECT_EQ(diamond.Meshes[0].MaterialIndex, 0);
  EXPECT_LE(diamond.MaxRadius, 15);
}

}  // namespace
