// The game window's pixel format on real SDL with its offscreen (EGL) video
// driver: multisampled where the GL offers it, and still made where it does not.
#include "WindowMode.h"

#include "CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class WindowModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  void TearDown() override {
    if (Context) SDL_GL_DeleteContext(Context);
    if (Window) SDL_DestroyWindow(Window);
    SDL_Quit();
  }
  // Samples a pixel of a new game window's context.
  int SamplesOfWindow(int Asked) {
    Window = CreateGameWindow("test", 0, 0, 64, 48, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN, Asked);
    EXPECT_NE(Window, nullptr) << SDL_GetError();
    if (!Window) return -1;
    Context = SDL_GL_CreateContext(Window);
    EXPECT_NE(Context, nullptr) << SDL_GetError();
    return SamplesPerPixel();
  }
  SDL_Window* Window = nullptr;
  SDL_GLContext Context = nullptr;
};

TEST_F(WindowModeTest, TheGameWindowGetsFourSamplesAPixel) { EXPECT_EQ(SamplesOfWindow(4), 4); }

// Mesa offers no 64-sample format: the window comes without multisampling.
TEST_F(WindowModeTest, WithoutTheSamplesAskedForTheWindowIsMadeWithNone) { EXPECT_EQ(SamplesOfWindow(64), 0); }

}  // namespace

TEST_F(WindowModeTest, AutoAsksForNoSamplesOnThisSoftwareRendererAndASettingIsKept) {
  EXPECT_EQ(ChooseSamples(MultisamplingAuto), 0);
  EXPECT_EQ(ChooseSamples(8), 8);
  EXPECT_EQ(ChooseSamples(0), 0);
}
