// The paused picture in a headless GL context: the kept picture fills a view
// of another size, the sign is drawn over its middle, and the game's GL state
// is as it was.
#include "PauseScreen.h"

#include <gtest/gtest.h>

#include "HeadlessContext.h"

namespace {

uint8_t Red(uint32_t Rgb) { return uint8_t(Rgb >> 16); }
uint8_t Green(uint32_t Rgb) { return uint8_t(Rgb >> 8); }

TEST(PauseScreen, TheLastPictureStaysWithTheSignOverItAndTheGameStateIsKept) {
  THeadlessContext Context(200, 100);
  // The game's picture: red left half, green right half.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 100, 100);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glScissor(100, 0, 100, 100);
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glClearColor(0.5f, 0.5f, 0.5f, 1);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 2200);

  TPauseScreen Screen;
  Screen.Capture(GL_BACK, 200, 100);
  glClear(GL_COLOR_BUFFER_BIT);  // the next swap would lose it
  // The window has shrunk meanwhile: the picture fills the new view.
  Screen.Draw(160, 100);

  EXPECT_EQ(Red(Context.PixelAt(2, 2)), 255);
  EXPECT_EQ(Green(Context.PixelAt(2, 2)), 0);
  EXPECT_EQ(Green(Context.PixelAt(157, 2)), 255);
  EXPECT_EQ(Red(Context.PixelAt(157, 2)), 0);
  // The middle band is darkened, with yellow letters in it.
  int Yellow = 0;
  for (int x = 0; x < 160; ++x) {
    const uint32_t P = Context.PixelAt(x, 45);
    if (Red(P) > 200 && Green(P) > 180 && (P & 0xFF) < 100) ++Yellow;
  }
  EXPECT_GT(Yellow, 10);
  EXPECT_LT(Red(Context.PixelAt(2, 50)), 128);

  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLint Mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &Mode);
  EXPECT_EQ(Mode, GL_PROJECTION);
  GLfloat P[16];
  glGetFloatv(GL_PROJECTION_MATRIX, P);
  EXPECT_FLOAT_EQ(P[0], 1.0f);
  GLint Viewport[4];
  glGetIntegerv(GL_VIEWPORT, Viewport);
  EXPECT_EQ(Viewport[2], 200);
  Screen.Release();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
