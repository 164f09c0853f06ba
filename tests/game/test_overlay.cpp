// The overlay: radar placement, the ring, the numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "FormOnFakes.h"
#include "TestModels.h"

namespace {

TEST(Radar, AnObjectStraightAheadShowsStraightUpWhateverTheHeading) {
  for (float heading : {0.0f, 37.0f, 90.0f, 200.0f, 359.0f}) {
    TBlob player;
    player.Position = MakeVector(100, 0, -50);
    player.Rotation.y = heading;
    float dx, dz;
    HeadingVector(dx, dz, 2080, heading);
    float x, y;
    ASSERT_TRUE(RadarBlip(player, MakeVector(100 + dx, 0, -50 + dz), x, y));
    EXPECT_NEAR(x, 0, 1e-5) << heading;
    EXPECT_NEAR(y, 0.1, 1e-5) << heading;
  }
}

TEST(Radar, RightOfThePlayerShowsRightAndTheRingBoundsTheRange) {
  TBlob player;  // heading 0: looking along +x, +z is to the right
  float x, y;
  ASSERT_TRUE(RadarBlip(player, MakeVector(0, 0, 2080), x, y));
  EXPECT_NEAR(x, 0.1, 1e-6);
  EXPECT_NEAR(y, 0, 1e-6);
  EXPECT_TRUE(RadarBlip(player, MakeVector(4000, 0, 0), x, y));
  EXPECT_FALSE(RadarBlip(player, MakeVector(4300, 0, 0), x, y));
  EXPECT_FALSE(RadarBlip(player, MakeVector(3000, 0, 3000), x, y)) << "4243 away diagonally";
}

class OverlayFrame : public ::testing::Test {
 protected:
  static constexpr int W = 400, H = 300;
  void SetUp() override {
    folder = MakeTempFolder();
    WriteDefaultModels(folder);
    host = TFormOnFakes::WithContext(W, H, folder);
    ASSERT_TRUE(host->StartUp());
    host->Frame();
    host->World->OnTitleScreen = 0;
    host->World->Level = 4;  // keep the world quiet: rockets only, none left to release
    host->World->Released[4] = 10;
    host->World->ColourScheme = 10;  // black backdrop
    host->World->RadarAlpha = 1;      // radar at full brightness
  }
  void TearDown() override {
    host.reset();
    RemoveFolder(folder);
  }
  // Pixel at overlay coordinates (x, y) in -1..1.
  uint32_t At(float X, float Y) {
    return host->Context->PixelAt(int(std::lround((X + 1) / 2 * W)), int(std::lround((1 - Y) / 2 * H)));
  }
  // Yellow pixels inside the overlay rectangle [x0, x1] x [y0, y1].
  int YellowIn(float X0, float Y0, float X1, float Y1) {
    const auto pixels = host->Context->ReadPixels();
    int count = 0;
    for (int py = int((1 - Y1) / 2 * H); py <= int((1 - Y0) / 2 * H); ++py)
      for (int px = int((X0 + 1) / 2 * W); px <= int((X1 + 1) / 2 * W); ++px) {
        const uint8_t* p = &pixels[(size_t(py) * W + px) * 4];
        count += p[0] > 200 && p[1] > 200 && p[2] < 60;
      }
    return count;
  }
  std::string folder;
  std::unique_ptr<TFormOnFakes> host;
};

TEST_F(OverlayFrame, RingHighlightsThePointOfTheSweepAndStepsIt) {
  host->World->RadarSweep = 4.04f;  // rounds to point 4, a quarter turn counter-clockwise: left of centre
  host->Frame();
  EXPECT_EQ(At(-0.2f, 0), 0xffff00u);
  EXPECT_EQ(At(0, 0.2f), 0xffffffu);
  EXPECT_NEAR(host->World->RadarSweep, 3.94f, 1e-5);
  host->World->RadarSweep = 0.04f;
  host->Frame();
  EXPECT_EQ(At(0, 0.2f), 0xffff00u);
  EXPECT_FLOAT_EQ(host->World->RadarSweep, 15);
}

// N and B fade the ring and the blips over the scene; the highlight stays solid.
TEST_F(OverlayFrame, RadarBrightnessFadesTheRingAndBlips) {
  TBlob& alien = *(*host->World->Aliens)[0];
  alien.SetActive(true);
  alien.State = 1;
  alien.Position = MakeVector(2080, 0, 0);
  host->World->RadarAlpha = 0.5f;
  host->World->RadarSweep = 4;
  host->Frame();
  EXPECT_NEAR(int(At(0, 0.2f) & 0xff), 128, 2) << "white ring point at half strength";
  EXPECT_NEAR(int(At(0, 0.1f) & 0xff), 38, 2) << "grey blip at half strength";
  EXPECT_EQ(At(-0.2f, 0), 0xffff00u);
  for (int i = 0; i < 3; ++i) host->World->HandleKey(66);  // B three times: 0.2
  host->World->RadarSweep = 4;
  host->Frame();
  EXPECT_NEAR(int(At(0, 0.2f) & 0xff), 51, 2);
  EXPECT_EQ(At(-0.2f, 0), 0xffff00u);
}

TEST_F(OverlayFrame, AlienBlipIsPlottedAheadOnTheRadar) {
  TBlob& alien = *(*host->World->Aliens)[0];
  alien.SetActive(true);
  alien.State = 1;
  alien.Position = MakeVector(2080, 0, 0);
  host->Frame();
  const uint32_t blip = At(0, 0.1f);
  for (int shift : {16, 8, 0}) EXPECT_NEAR(int((blip >> shift) & 0xff), 77, 2) << std::hex << blip;
}

TEST_F(OverlayFrame, DrawingTheOverlayChangesNothingInTheWorld) {
  host->World->RadarSweep = 4;
  host->World->Score = 500;
  host->World->HighScore = 100;
  host->Form->Picture().DrawOverlay(host->Form->World());
  EXPECT_EQ(host->World->RadarSweep, 4);
  EXPECT_EQ(host->World->HighScore, 100) << "the frame driver keeps the high score, not the drawing";
}

TEST_F(OverlayFrame, NumbersAreDrawnInYellowDigitsAndTheHighScoreFollowsTheScore) {
  host->World->Score = 123456789;
  host->Frame();
  EXPECT_EQ(host->World->HighScore, 123456789);
  // Nine glyphs from -0.95: the ninth cell starts at -0.95 + 8 * 0.04.
  EXPECT_GT(YellowIn(-0.95f + 8 * 0.04f, 0.9f, -0.95f + 8 * 0.04f + 0.03f, 0.93f), 0);
  EXPECT_EQ(YellowIn(-0.95f + 9 * 0.04f, 0.9f, -0.95f + 9 * 0.04f + 0.03f, 0.93f), 0);
  // Lives: one glyph at the top right; the high score at the top centre.
  EXPECT_GT(YellowIn(0.75f, 0.9f, 0.78f, 0.93f), 0);
  EXPECT_EQ(YellowIn(0.79f, 0.9f, 0.85f, 0.93f), 0);
  EXPECT_GT(YellowIn(-0.2f, 0.95f, -0.17f, 0.98f), 0);
}

TEST(OverlayOutline, OnlyPartsTooCloseToTheirSkyGetOneInTheColourThatStandsOut) {
  EXPECT_NEAR(ContrastRatio(MakeVector(0, 0, 0), MakeVector(1, 1, 1)), 21, 1e-3);
  const TVec3 cross = MakeVector(0.1f, 0.1f, 0.1f), yellow = MakeVector(1, 1, 0);
  TVec3 top, upper, lower, outline;
  ASSERT_TRUE(SchemeSky(10, top, upper, lower));  // black
  ASSERT_TRUE(OverlayOutline(cross, upper, lower, outline));
  EXPECT_EQ(outline.x, 1) << "white around the dark cross-hair";
  ASSERT_TRUE(SchemeSky(3, top, upper, lower));  // orange sky
  ASSERT_TRUE(OverlayOutline(yellow, top, top, outline));
  EXPECT_EQ(outline.x, 0) << "black around the yellow digits";
  for (int scheme : {0, 1, 5, 6}) {
    ASSERT_TRUE(SchemeSky(scheme, top, upper, lower));
    EXPECT_FALSE(OverlayOutline(cross, upper, lower, outline)) << scheme;
    EXPECT_FALSE(OverlayOutline(yellow, top, top, outline)) << scheme;
  }
}

TEST_F(OverlayFrame, TheCrossHairIsSeenOverTheBlackSkyAndOverAnythingAtTheEye) {
  host->Frame();
  // One pixel beyond the end of the cross-hair's upright: its white outline on the black sky.
  const uint32_t beyond = At(0, 0.02f + 3.0f / H);
  EXPECT_EQ(beyond, 0xFFFFFFu) << std::hex << beyond;
  // A fragment right before the eye fills the middle of the view; the cross-hair stays on top.
  TBlob& f = *host->World->Fragments->at(0);
  // The test box spans 10 units: its near face stands 1.5 ahead (nearer than the
  // overlay's depth), across the eye's height.
  TFormOnFakes::Place(f, host->World->Player->Position.x + 6.5f, host->World->Player->Position.z, 1);
  f.Position.y = 35;
  f.Timer = 100;
  f.AuxA = f.AuxB = f.AuxC = 0;  // it stays where it is
  f.Colour = MakeVector(1, 1, 1);
  host->Frame();
  EXPECT_NE(At(0.1f, 0.1f), 0u) << "the fragment fills the middle of the view";
  EXPECT_EQ(At(0, 0.01f) & 0xF0F0F0, 0x101010u) << "the cross-hair's own colour at its upright";
}

// On a view of another shape the overlay keeps its 4:3 proportions in the
// largest centred 4:3 rectangle: the digits sit inside it, nothing outside.
TEST(OverlayShape, NumbersStayInTheCentredFourToThreeRectangle) {
  const std::string folder = MakeTempFolder();
  WriteDefaultModels(folder);
  struct TCase {
    int W, H, X0, Y0, X1, Y1;  // the view, and the rectangle in pixels from the top left
  };
  for (const TCase& c : {TCase{480, 270, 60, 0, 420, 270}, TCase{300, 400, 0, 88, 300, 313}}) {
    auto hostPtr = TFormOnFakes::WithContext(c.W, c.H, folder);
    TFormOnFakes& host = *hostPtr;
    ASSERT_TRUE(host.StartUp());
    host.Frame();
    host.World->OnTitleScreen = 0;
    host.World->ColourScheme = 10;  // black backdrop
    host.World->Score = 88888888;
    host.Frame();
    const auto pixels = host.Context->ReadPixels();
    int inside = 0, outside = 0;
    for (int y = 0; y < c.H; ++y)
      for (int x = 0; x < c.W; ++x) {
        const uint8_t* p = &pixels[(size_t(y) * c.W + x) * 4];
        const bool yellow = p[0] > 200 && p[1] > 200 && p[2] < 60;
        const bool in = x >= c.X0 && x < c.X1 && y >= c.Y0 && y < c.Y1;
        (in ? inside : outside) += yellow;
      }
    EXPECT_GT(inside, 0) << c.W << "x" << c.H;
    EXPECT_EQ(outside, 0) << c.W << "x" << c.H;
  }
  RemoveFolder(folder);
}

}  // namespace
