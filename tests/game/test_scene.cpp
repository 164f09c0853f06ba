// The scene of a play frame, checked in the pixels of a headless frame.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "FormOnFakes.h"
#include "TestModels.h"

namespace {

// A 2 x 2 white 24-bit bitmap.
std::string WhiteBitmap() {
  const unsigned char header[54] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0,
                                    2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0};
  std::string bytes(reinterpret_cast<const char*>(header), sizeof header);
  for (int row = 0; row < 2; ++row) bytes += std::string(6, '\xff') + std::string(2, '\0');
  return bytes;
}

// A player's shot: a 40-wide red additive halo (textured, transparency 0.5)
// facing the viewer, and inside it a small green box for the star.
std::string HaloShotText() {
  std::string t = "Frames: 1\nFrame: 1\nMeshes: 2\n\"Halo\" 0 0\n4\n"
                  "0 -20 -20 0 0 1 -1\n0 20 -20 0 1 1 -1\n0 20 20 0 1 0 -1\n0 -20 20 0 0 0 -1\n"
                  "1\n0 0 1\n2\n0 0 1 2 0 0 0 1\n0 0 2 3 0 0 0 1\n";
  const std::string box = BoxModelText(-3, -3, -3, 3, 3, 3, 0, 1, 0);
  const size_t from = box.find("\"Box\""), to = box.find("Materials:");
  std::string star = box.substr(from, to - from);
  star.replace(star.find("\"Box\" 0 0"), 9, "\"Star\" 0 1");
  t += star;
  t += "Materials: 2\n\"Halo\"\n0 0 0 1\n0 0 0 1\n0 0 0 1\n1 0 0 1\n0\n0.5\n\"white.bmp\"\n\"\"\n";
  t += "\"Star\"\n0 0 0 1\n0 0 0 1\n0 0 0 1\n0 1 0 1\n0\n1\n\"\"\n\"\"\nBones: 0\n";
  return t;
}

// A play frame looking along +x (heading 0) from the origin, with an empty
// world unless a test puts something in it.
class Scene : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeTempFolder();
    WriteDefaultModels(folder);
    // Floor tiles: 200-unit squares, 20 thick so that they cover whole rows far away, glowing green.
    WriteTextFile(folder + "/FloorTile.txt", BoxModelText(-100, 0, -100, 100, 20, 100, 0, 1, 0));
    // Aliens: tall red columns standing on the floor.
    WriteTextFile(folder + "/Alien1.txt", BoxModelText(-20, 0, -20, 20, 300, 20, 1, 0, 0));
    WriteTextFile(folder + "/AlienBullet.txt", BoxModelText(-2, 0, -2, 2, 4, 2, 1, 1, 1));
    WriteTextFile(folder + "/Alien1Shadow.txt", BoxModelText(-15, 0, -15, 15, 0.5f, 15, 0, 0, 1));
    WriteTextFile(folder + "/white.bmp", WhiteBitmap());
    WriteTextFile(folder + "/StarBullet.txt", HaloShotText());
    host = TFormOnFakes::WithContext(W, H, folder);
    ASSERT_TRUE(host->StartUp());
    host->Frame();  // one title frame
    form().OnTitleScreen = 0;
    EmptyTheWorld();
  }
  void TearDown() override {
    host.reset();
    RemoveFolder(folder);
  }
  TWorldUnderTest& form() { return *host->World; }
  TPicture& picture() { return host->Form->Picture(); }

  // Moves every drawn object far behind the player and holds the world still.
  void EmptyTheWorld() {
    for (auto* list : {form().Teleports.get(), form().FloorTiles.get(), form().Obstacles.get()})
      for (auto& o : *list) o->Position = MakeVector(-2500, 0, 2500);
    form().Level = 4;  // rockets only, and none released while the test runs
    form().Released[4] = 10;
    form().Player->Rotation.y = 0;
    form().Player->Speed = 0;
  }
  // Screen row of a point at height Y and distance D straight ahead (eye at 40).
  int RowFor(float Y, float D) const { return int(std::lround(H / 2.0 - (Y - 40) / D * H / 2.0)); }
  uint32_t Centre(int Row) { return host->Context->PixelAt(W / 2, Row); }

  int W = 400, H = 300;  // 4:3
  std::string folder;
  std::unique_ptr<TFormOnFakes> host;
};

class WideScene : public Scene {
 protected:
  WideScene() {
    W = 480;  // 16:9
    H = 270;
  }
};

TEST_F(Scene, BackdropPaintsTheTwoBandsOfTheScheme) {
  form().ColourScheme = 3;  // top (1, .5, 0), horizon (0, 0, 0) above and (.1, 0, 0) below, bottom (.5, .25, 0)
  form().Level = 2;
  host->Frame();
  auto near = [](uint32_t got, uint32_t want) {
    for (int shift : {16, 8, 0})
      if (std::abs(int((got >> shift) & 0xff) - int((want >> shift) & 0xff)) > 3) return false;
    return true;
  };
  EXPECT_PRED2(near, host->Context->PixelAt(30, 0), 0xff7f00u);
  EXPECT_PRED2(near, host->Context->PixelAt(30, H / 2 - 1), 0x000000u);
  EXPECT_PRED2(near, host->Context->PixelAt(30, H / 2), 0x190000u);
  EXPECT_PRED2(near, host->Context->PixelAt(30, H - 1), 0x7f3f00u);
}

// A fresh or resized window's depth buffer holds anything; the backdrop must not depend on it.
TEST_F(Scene, BackdropIgnoresTheDepthLeftInTheBuffer) {
  glClearDepth(0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glClearDepth(1);
  form().ColourScheme = 3;  // top (1, .5, 0)
  form().Level = 2;
  host->Frame();
  EXPECT_EQ(host->Context->PixelAt(30, 0) & 0xf0f0f0u, 0xf07000u) << "the sky is missing";
}

// The backdrop draws without the alpha test, and flat when it has one colour,
// but the models after it find both states as they were.
TEST_F(Scene, BackdropLeavesAlphaTestAndShadingAsItFoundThem) {
  const TVec3 red = MakeVector(1, 0, 0), blue = MakeVector(0, 0, 1);
  for (const bool oneColour : {true, false})
    for (const bool alphaTest : {true, false})
      for (const GLenum shading : {GL_SMOOTH, GL_FLAT}) {
        SCOPED_TRACE(std::to_string(oneColour) + std::to_string(alphaTest) + std::to_string(shading));
        if (alphaTest) glEnable(GL_ALPHA_TEST);
        else glDisable(GL_ALPHA_TEST);
        glShadeModel(shading);
        picture().DrawBackdrop(red, oneColour ? red : blue, red, red);
        EXPECT_EQ(glIsEnabled(GL_ALPHA_TEST), alphaTest ? GL_TRUE : GL_FALSE);
        GLint model = 0;
        glGetIntegerv(GL_SHADE_MODEL, &model);
        EXPECT_EQ(GLenum(model), shading);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
      }
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A one-colour backdrop (the wireframe level, a hit, the game over's dark red)
// is a colour clear: it must give the pixels the flat quad gives, inside the
// viewport only, and leave the state as the quad does (the clear colour the
// caller's).
TEST_F(Scene, OneColourBackdropPaintsThePixelsOfAFlatQuadInsideTheViewport) {
  auto drawOver = [&](const TVec3& Colour, bool AsQuad) {
    glViewport(0, 0, W, H);
    glClearColor(0.25f, 0.5f, 0.75f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glViewport(W / 4, H / 3, W / 2, H / 2);
    glMatrixMode(GL_PROJECTION);  // as a play frame draws it: the quad spans -1..1
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    if (AsQuad) glEnable(GL_SCISSOR_TEST);  // the caller's box keeps the quad
    glScissor(0, 0, W, H);
    picture().DrawBackdrop(Colour, Colour, Colour, Colour);
    glDisable(GL_SCISSOR_TEST);
    return host->Context->ReadPixels();
  };
  for (const TVec3& c : {MakeVector(0, 0, 0), MakeVector(1, 0, 0), MakeVector(0.35f, 0, 0),
                         MakeVector(0.2f, 0.7f, 0.333f), MakeVector(0.501f, 0.499f, 0.9f)}) {
    SCOPED_TRACE(std::to_string(c.x) + " " + std::to_string(c.y) + " " + std::to_string(c.z));
    const auto quad = drawOver(c, true), cleared = drawOver(c, false);
    EXPECT_TRUE(quad == cleared) << "the clear differs from the quad";
    const size_t centre = (size_t(H / 2) * W + W / 2) * 4;
    EXPECT_NE(std::vector<uint8_t>(cleared.begin(), cleared.begin() + 4),
              std::vector<uint8_t>(cleared.begin() + centre, cleared.begin() + centre + 4))
        << "the view's centre was painted and its corner was not";
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(current[0], c.x) << "the current colour is the quad's";
  }
  GLfloat clearColour[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
  EXPECT_EQ(clearColour[3], 0.0f);
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(Scene, FloorIsCutNineHundredAheadWhileAnAlienBeyondIsDrawn) {
  form().ColourScheme = 0;
  auto& tiles = *form().FloorTiles;
  tiles[0]->Position = MakeVector(600, 0, -300);  // 500..700 ahead, off to the left
  tiles[1]->Position = MakeVector(1100, 0, 0);  // 1000..1200 ahead: beyond the floor's far plane
  TBlob& alien = *(*form().Aliens)[0];
  alien.SetActive(true);
  alien.State = 1;
  alien.Kind = 2;
  alien.Speed = 0;
  alien.Position = MakeVector(1200, 0, 300);  // beside the far tile, drawn to 2200
  host->Frame();
  EXPECT_EQ(host->Context->PixelAt(W / 4, RowFor(10, 600)), 0x00ff00u) << "tile 600 ahead is drawn";
  EXPECT_NE(Centre(RowFor(8, 1100)), 0x00ff00u) << "tile 1100 ahead lies beyond 900";
  // The alien column, 300 to the right, spans the horizon 1200 ahead.
  const int alienColumn = int(std::lround(W / 2.0 + 300.0 / 1200.0 * W / 2.0));
  EXPECT_EQ(host->Context->PixelAt(alienColumn, H / 2), 0xff0000u);
}

TEST_F(Scene, AlienShotShadowMirrorsItsLiftedHeight) {
  form().ColourScheme = 0;
  TBlob& bullet = *(*form().AlienShots)[0];
  bullet.SetActive(true);
  bullet.Speed = 0;
  bullet.Position = MakeVector(300, 30, 0);  // lifted height 30: the model's MinY is 0
  host->Frame();
  EXPECT_EQ(Centre(RowFor(-30, 300)), 0x0000ffu) << "shadow drawn at -30";
  EXPECT_NE(Centre(RowFor(0, 300)), 0x0000ffu) << "nothing at floor level";
}

TEST_F(Scene, InactiveOrWaitingObjectsAreNotDrawnButTilesAlwaysAre) {
  form().ColourScheme = 0;
  auto& tiles = *form().FloorTiles;
  tiles[0]->Position = MakeVector(300, 0, 0);
  ASSERT_FALSE(tiles[0]->Active);
  TBlob& alien = *(*form().Aliens)[0];
  alien.SetActive(true);
  alien.State = 3;  // exploding: neither body nor shadow
  alien.DeathTimer = 100;
  alien.Exploded = 1;
  alien.Position = MakeVector(500, 0, 0);
  host->Frame();
  EXPECT_EQ(Centre(RowFor(0, 300)), 0x00ff00u);
  EXPECT_NE(Centre(H / 2), 0xff0000u);
}

TEST_F(Scene, RocketsStepTwicePerPlayFrameAndOnceDuringTheGameOver) {
  TBlob& rocket = *(*form().Rockets)[0];
  rocket.SetActive(true);
  rocket.State = 1;
  rocket.Speed = 6;
  rocket.Position = MakeVector(2000, 0, 0);
  host->Frame();
  EXPECT_FLOAT_EQ(rocket.Position.x, 2000 - 12) << "one step in the update, one in the drawing";
  form().GameOverTimer = 50;
  host->Frame();
  EXPECT_FLOAT_EQ(rocket.Position.x, 2000 - 18) << "the drawing's step only";
}

TEST_F(Scene, AKillInTheUpdateAdvancesTheLevelInTheSameFrame) {
  form().Level = 0;
  form().Released[4] = 0;
  form().LevelKills = 5;  // row 0 needs 6
  TBlob& alien = *(*form().Aliens)[0];
  alien.SetActive(true);
  alien.State = 1;
  alien.Speed = 0;
  alien.Radius = 20;
  alien.Position = MakeVector(100, 0, 0);
  TBlob& shot = *(*form().PlayerShots)[0];
  shot.SetActive(true);
  shot.Radius = 10;
  shot.Position = MakeVector(100, -20, 0);
  host->Frame();
  EXPECT_EQ(form().Score, 500);
  EXPECT_EQ(form().Level, 1);
  EXPECT_EQ(form().LevelKills, 0);
  EXPECT_EQ(form().ColourScheme, 2);
}

TEST_F(Scene, FragmentsWriteTheirColourIntoTheDiamondsFirstMaterial) {
  auto& fragments = *form().Fragments;
  fragments[0]->SetActive(true);
  fragments[0]->Timer = 50;
  fragments[0]->Colour = MakeVector(1, 0, 0);
  fragments[1]->SetActive(true);
  fragments[1]->Timer = 50;
  fragments[1]->Colour = MakeVector(0, 0, 1);
  host->Frame();
  const TMaterial& m = picture().Models()[DiamondSlot]->Materials[0];
  EXPECT_FLOAT_EQ(m.Ambient[0], 0);
  EXPECT_FLOAT_EQ(m.Ambient[2], 1);
  EXPECT_FLOAT_EQ(m.Ambient[3], 0);
  EXPECT_FLOAT_EQ(m.Diffuse[0], 1);
}

// Glows write no depth: a shot behind another shows through the near one's
// halo, whichever of the two is drawn first.
TEST_F(Scene, AShotBehindAnotherShowsThroughItsHalo) {
  form().ColourScheme = 3;  // black at the horizon
  for (int nearFirst = 0; nearFirst < 2; ++nearFirst) {
    auto& shots = *form().PlayerShots;
    TBlob& nearShot = *shots[nearFirst ? 0 : 1];
    TBlob& farShot = *shots[nearFirst ? 1 : 0];
    for (TBlob* s : {&nearShot, &farShot}) {
      s->SetActive(true);
      s->Speed = 0;
      s->Roll = 0;
    }
    // Lifted to eye height (40): the model's lowest point is the halo's edge at -20.
    nearShot.Position = MakeVector(200, 20, 0);
    farShot.Position = MakeVector(400, 20, 30);  // 15 pixels right, inside the near halo
    host->Frame();
    const uint32_t through = host->Context->PixelAt(int(std::lround(W / 2.0 + 30.0 / 400 * W / 2)), H / 2);
    EXPECT_GT((through >> 8) & 0xff, 200u) << "far star, near shot first: " << nearFirst;
  }
}

// A wide view sees more to the sides instead of stretching: a point off to the
// side lies as far from the centre, in pixels, as on a 4:3 view of the same
// height (H / 2 * 4 / 3 pixels per unit at the near plane), and heights map as at 4:3.
TEST_F(WideScene, WideViewShowsMoreToTheSidesWithoutStretching) {
  form().ColourScheme = 0;
  TBlob& alien = *(*form().Aliens)[0];
  alien.SetActive(true);
  alien.State = 1;
  alien.Kind = 2;
  alien.Speed = 0;
  alien.Position = MakeVector(600, 0, 300);  // half as far to the right as ahead
  host->Frame();
  const int column = int(std::lround(W / 2.0 + 0.5 * H / 2.0 * 4 / 3));  // 330
  EXPECT_EQ(host->Context->PixelAt(column, RowFor(100, 600)), 0xff0000u);
  EXPECT_NE(host->Context->PixelAt(column + 12, RowFor(100, 600)), 0xff0000u) << "20 wide: 6 pixels each side";
  EXPECT_EQ(host->Context->PixelAt(column, RowFor(290, 600)), 0xff0000u) << "300 tall";
  EXPECT_NE(host->Context->PixelAt(column, RowFor(320, 600)), 0xff0000u);
}

}  // namespace
