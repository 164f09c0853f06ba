// The shell's key table, frame step, title and view size, driven without a window.
#include "Shell.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "HeadlessContext.h"

namespace {

// A game form that records what the shell asks of it.
class TRecordingForm : public IShellForm {
 public:
  void FormPaint() override {
    Calls.push_back("paint");
    if (OnPaint) OnPaint();
  }
  void HandleKey(uint16_t Key) override {
    Calls.push_back("key " + std::to_string(Key));
    FlagSeen.push_back(Shell ? Shell->Keys[Key] : 255);
  }
  void FormMouseMove(uint32_t, int, int) override {}
  void FormClick() override {}
  void FormDestroy() override {}
  void SetViewSize(int Width, int Height) override {
    ViewWidth = Width;
    ViewHeight = Height;
  }
  bool TerminateRequested() const override { return Terminate; }
  int ExitCode() const override { return 1; }

  TShell* Shell = nullptr;
  std::vector<std::string> Calls;
  std::vector<int> FlagSeen;
  std::function<void()> OnPaint;
  bool Terminate = false;
  int ViewWidth = 0, ViewHeight = 0;
};

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() : Shell(Form) { Form.Shell = &Shell; }
  TFrameResult Frame() {
    return Shell.Frame([this] { Form.Calls.push_back("present"); });
  }
  TRecordingForm Form;
  TShell Shell;
};

TEST_F(ShellTest, HandleKeySeesTheTableAsItWasBeforeThePress) {
  Shell.KeyDown(90);
  ASSERT_EQ(Form.FlagSeen.size(), 1u);
  EXPECT_EQ(Form.FlagSeen[0], 0);
  EXPECT_EQ(Shell.Keys[90], 1);
}

TEST_F(ShellTest, AutoRepeatReachesHandleKeyAgainAndKeyUpClears) {
  Shell.KeyDown(37);
  Shell.KeyDown(37);
  Shell.KeyDown(37);
  EXPECT_EQ(Form.Calls, (std::vector<std::string>{"key 37", "key 37", "key 37"}));
  EXPECT_EQ(Form.FlagSeen, (std::vector<int>{0, 1, 1}));
  Shell.KeyUp(37);
  EXPECT_EQ(Shell.Keys[37], 0);
  Shell.KeyDown(37);
  EXPECT_EQ(Form.FlagSeen.back(), 0);
}

TEST_F(ShellTest, AFrameCountsPaintsAndPresentsInThatOrder) {
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  EXPECT_EQ(Frame(), TFrameResult::Continue);
  EXPECT_EQ(Shell.FrameCount, 2);
  EXPECT_EQ(Form.Calls, (std::vector<std::string>{"paint", "present", "paint", "present"}));
}

TEST_F(ShellTest, EscapeDuringAFrameStillPresentsItThenQuits) {
  Form.OnPaint = [this] { Shell.KeyDown(VkEscape); };
  EXPECT_EQ(Frame(), TFrameResult::Quit);
  EXPECT_EQ(Form.Calls, (std::vector<std::string>{"paint", "key 27", "present"}));
}

TEST_F(ShellTest, EscapeReleasedBeforeTheFrameDoesNotQuit) {
  Shell.KeyDown(VkEscape);
  Shell.KeyUp(VkEscape);
  EXPECT_EQ(Frame(), TFrameResult::Continue);
}

TEST_F(ShellTest, ATerminatingFormEndsTheLoopWithoutPresenting) {
  Form.Terminate = true;
  EXPECT_EQ(Frame(), TFrameResult::Terminate);
  EXPECT_EQ(Form.Calls, (std::vector<std::string>{"paint"}));
}

TEST_F(ShellTest, TheTimerShowsTheFramesOfTheLastSecondAndStartsAgain) {
  for (int i = 0; i < 3; ++i) Frame();
  EXPECT_EQ(Shell.TimerTitle(), "OpenGL App by Dreskol   [3 FPS]");
  EXPECT_EQ(Shell.FrameCount, 0);
  EXPECT_EQ(Shell.TimerTitle(), "OpenGL App by Dreskol   [0 FPS]");
  Frame();
  EXPECT_EQ(Shell.TimerTitle(), "OpenGL App by Dreskol   [1 FPS]");
}

// ResizeView needs a current GL context: the headless one.
TEST_F(ShellTest, ASizeOfHeightZeroGivesAViewportOfHeightOne) {
  THeadlessContext Context(64, 64);
  Shell.Resize(640, 0);

  GLint Viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, Viewport);
  EXPECT_EQ(Viewport[0], 0);
  EXPECT_EQ(Viewport[1], 0);
  EXPECT_EQ(Viewport[2], 640);
  EXPECT_EQ(Viewport[3], 1);

  // gluPerspective(45, 640 / 1, 1, 100): f = 1 / tan(22.5 degrees) = 2.41421...
  GLfloat P[16] = {};
  glGetFloatv(GL_PROJECTION_MATRIX, P);
  EXPECT_NEAR(P[5], 2.4142136f, 1e-5f);
  EXPECT_NEAR(P[0], 2.4142136f / 640.0f, 1e-7f);
  EXPECT_NEAR(P[10], -101.0f / 99.0f, 1e-5f);
  EXPECT_NEAR(P[14], -200.0f / 99.0f, 1e-5f);

  GLint Mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &Mode);
  EXPECT_EQ(Mode, GL_MODELVIEW);
  GLfloat M[16] = {};
  glGetFloatv(GL_MODELVIEW_MATRIX, M);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(M[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;

  EXPECT_EQ(Form.ViewWidth, 640);
  EXPECT_EQ(Form.ViewHeight, 1);
}

TEST_F(ShellTest, AnOrdinarySizeKeepsItsAspect) {
  THeadlessContext Context(64, 64);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(5, 5, 5);
  Shell.Resize(1024, 768);
  GLint Viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, Viewport);
  EXPECT_EQ(Viewport[2], 1024);
  EXPECT_EQ(Viewport[3], 768);
  GLfloat P[16] = {};
  glGetFloatv(GL_PROJECTION_MATRIX, P);
  EXPECT_NEAR(P[0], 2.4142136f * 768.0f / 1024.0f, 1e-5f);
  GLfloat M[16] = {};
  glGetFloatv(GL_MODELVIEW_MATRIX, M);
  EXPECT_EQ(M[12], 0.0f);
}

}  // namespace
