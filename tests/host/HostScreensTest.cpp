// The host's screens: the font atlas as the generator wrote it, damaged
// metrics and pictures refused with the reason, the title's turns between
// logo and table, and the text drawn in a headless GL context.
#include "HostScreens.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "WorldState.h"

namespace {

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

TEST(FontMetrics, TheGeneratedAtlasReadsBackWithEveryGlyphOnItsPixels) {
  TFontMetrics M;
  std::string Error;
  ASSERT_TRUE(ParseFontMetrics(ReadFile(DefaultProgramFolder() + "/Font.metrics"), M, Error)) << Error;
  int W = 0, H = 0;
  std::vector<uint8_t> Field;
  ASSERT_TRUE(DecodePgm(ReadFile(DefaultProgramFolder() + "/Font.pgm"), W, H, Field, Error)) << Error;
  EXPECT_EQ(W, M.AtlasWidth);
  EXPECT_EQ(H, M.AtlasHeight);
  // Every printable character but the space has a field whose middle is inside its outline somewhere.
  for (char C = '!'; C <= '~'; ++C) {
    const TFontGlyph& G = M.Glyph(C);
    ASSERT_GT(G.W * G.H, 0) << C;
    int Inside = 0;
    for (int y = G.Y; y < G.Y + G.H; ++y)
      for (int x = G.X; x < G.X + G.W; ++x) Inside += Field[size_t(y) * size_t(W) + size_t(x)] >= 128;
    EXPECT_GT(Inside, 0) << C;
  }
  EXPECT_GT(M.Glyph('W').Advance, M.Glyph('i').Advance) << "a proportional font";
  EXPECT_EQ(M.Glyph('0').Advance, M.Glyph('8').Advance) << "digits line up in columns";
  EXPECT_LT(M.Kern('A', 'V'), 0) << "the font's kerning is kept";
  EXPECT_EQ(&M.Glyph('\x01'), &M.Glyph('?'));
  EXPECT_FLOAT_EQ(M.TextWidth("ii", M.Size * 2), 4 * M.Glyph('i').Advance + 2 * M.Kern('i', 'i'));
}

TEST(FontMetrics, DamagedMetricsAndPicturesAreRefusedWithTheReason) {
  TFontMetrics M;
  std::string Error;
  EXPECT_FALSE(ParseFontMetrics("atlas 64 64\nsize 40\nglyph 65 60 0 10 10 0 0 5\n", M, Error));
  EXPECT_EQ(Error, "line 3: glyph 65 lies outside the atlas");
  EXPECT_FALSE(ParseFontMetrics("atlas 64 64\nsize forty\n", M, Error));
  EXPECT_EQ(Error, "line 2: cannot read the size entry");
  EXPECT_FALSE(ParseFontMetrics("# nothing\n", M, Error));
  EXPECT_EQ(Error, "no atlas size or font size");

  int W = 0, H = 0;
  std::vector<uint8_t> Pixels;
  EXPECT_FALSE(DecodePgm("P5\n4 4\n255\n" + std::string(15, 'x'), W, H, Pixels, Error));
  EXPECT_EQ(Error, "the picture is cut short");
  EXPECT_FALSE(DecodePgm("P6\n4 4\n255\n" + std::string(48, 'x'), W, H, Pixels, Error));
  ASSERT_TRUE(DecodePgm("P5\n# made by hand\n2 1\n255\n\x10\x20", W, H, Pixels, Error)) << Error;
  EXPECT_EQ(Pixels, (std::vector<uint8_t>{0x10, 0x20}));
}

TEST(HostScreens, TheTitleTurnsBetweenLogoAndTableAndPlacesReadAsOrdinals) {
  EXPECT_FALSE(TitleShowsScores(0, 3));
  EXPECT_FALSE(TitleShowsScores(TitleLogoFrames - 1, 3));
  EXPECT_TRUE(TitleShowsScores(TitleLogoFrames, 3));
  EXPECT_TRUE(TitleShowsScores(TitleLogoFrames + TitleTableFrames - 1, 3));
  EXPECT_FALSE(TitleShowsScores(TitleLogoFrames + TitleTableFrames, 3));
  EXPECT_FALSE(TitleShowsScores(TitleLogoFrames, 0)) << "no table to show";
  std::string Places;
  for (int Place : {1, 2, 3, 4, 10, 11, 12, 21, 22}) Places += std::to_string(Place) + OrdinalSuffix(Place) + " ";
  EXPECT_EQ(Places, "1st 2nd 3rd 4th 10th 11th 12th 21st 22nd ");
}

// A started game's 320 x 240 context, cleared to black, to draw the screens over.
class HostScreensOverBlack : public ::testing::Test {
 protected:
  HostScreensOverBlack() : Context(320, 240), Game(320, 240, DefaultProgramFolder()) {}
  void SetUp() override {
    ASSERT_TRUE(Game.StartUp());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  THeadlessContext Context;
  THeadlessHost Game;
};

// The game over's words over a black picture: white letters with dark rims
// in the middle of the view, only there, and the game's GL state unchanged.
TEST_F(HostScreensOverBlack, TheGameOverIsDrawnInTheMiddleAndLeavesTheGameStateAlone) {
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 2200);
  glMatrixMode(GL_MODELVIEW);

  TWorldState Over;
  Over.OnTitleScreen = 0;
  Over.GameOverTimer = 50;
  TGameResult Last;
  Last.Score = 1234;
  Last.Place = 1;
  Last.NewHighScore = true;
  THostScreens Screens(DefaultProgramFolder());
  Screens.DrawOverFrame(Over, 320, 240, Last, {{1234, 1, ""}}, "");

  int WhiteInWords = 0, YellowBelow = 0, LitAbove = 0;
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      const uint32_t P = Context.PixelAt(x, y);
      const bool White = P == 0xffffffu, Yellow = (P >> 16) > 200 && ((P >> 8) & 0xff) > 150 && (P & 0xff) < 100;
      if (y < 60) LitAbove += P != 0;
      if (y >= 95 && y < 115 && White) ++WhiteInWords;  // "GAME OVER"
      if (y >= 140 && y < 155 && Yellow) ++YellowBelow;  // "NEW HIGH SCORE"
    }
  EXPECT_GT(WhiteInWords, 300);
  EXPECT_GT(YellowBelow, 50);
  EXPECT_EQ(LitAbove, 0) << "the top of the picture stays the game's";

  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat P[16];
  glGetFloatv(GL_PROJECTION_MATRIX, P);
  EXPECT_FLOAT_EQ(P[0], 1.0f);
  Screens.Release();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A notice keeps clear of the bottom pixels a shell's touch controls cover:
// its white words lie just above them, none under them.
TEST_F(HostScreensOverBlack, ANoticeStandsAboveTheCoveredFootOfTheView) {
  TWorldState Playing;
  Playing.OnTitleScreen = 0;
  THostScreens Screens(DefaultProgramFolder());
  Screens.DrawOverFrame(Playing, 320, 240, TGameResult(), {}, "Score not saved: disk full", 60);
  int Under = 0, Above = 0;
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      const bool White = Context.PixelAt(x, y) == 0xffffffu;
      if (y >= 240 - 60) Under += White;
      else if (y >= 240 - 60 - 20) Above += White;
    }
  EXPECT_EQ(Under, 0);
  EXPECT_GT(Above, 100);
  Screens.Release();
}

// Lifted above a phone's touch controls, the title's grey hint would run into
// the table while it shows: it keeps to its own place under the table.
TEST_F(HostScreensOverBlack, TheTitlesHintStaysOutOfTheTable) {
  TWorldState Title;
  Title.OnTitleScreen = 1;
  THostScreens Screens(DefaultProgramFolder());
  Screens.DrawOverFrame(Title, 320, 240, TGameResult(), {{1234, 1, ""}}, "", 110, "TAP FIRE TO PLAY", NoReplay, 0);
  // The table's panel reaches down to 0.67 of the view (160 rows from the top); it has no grey of its own here.
  int InTable = 0, Below = 0;
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      const uint32_t P = Context.PixelAt(x, y), R = P >> 16 & 255;
      const bool Grey = R >= 170 && R <= 190 && (P >> 8 & 255) == R && (P & 255) == R;
      (y < 160 ? InTable : Below) += Grey;
    }
  EXPECT_EQ(InTable, 0);
  EXPECT_GT(Below, 20);
  Screens.Release();
}

}  // namespace
