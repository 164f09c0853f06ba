#include "Shell.h"

#include <GL/gl.h>
#include <GL/glu.h>

const char* const WindowTitle = "OpenGL App by Dreskol";

void TShell::KeyDown(uint16_t Vk) {
  form_.HandleKey(Vk);
  if (Vk < 256) Keys[Vk] = 1;
}

void TShell::KeyUp(uint16_t Vk) {
  if (Vk < 256) Keys[Vk] = 0;
}

TFrameResult TShell::Frame(const std::function<void()>& Present) {
  ++FrameCount;
  form_.FormPaint();
  if (form_.TerminateRequested()) return TFrameResult::Terminate;
  Present();
  // Escape is tested only after the frame is presented, so that frame is completed.
  return Keys[VkEscape] ? TFrameResult::Quit : TFrameResult::Continue;
}

std::string TShell::TimerTitle() {
  // The timer fires every 1000 ms, so FrameCount * 1000 / 1000 is FrameCount itself.
  std::string Title = std::string(WindowTitle) + "   [" + std::to_string(FrameCount) + " FPS]";
  FrameCount = 0;
  return Title;
}

void TShell::Resize(int Width, int Height) {
  if (Height == 0) Height = 1;
  ResizeView(Width, Height);
  form_.SetViewSize(Width, Height);
}

void ResizeView(int Width, int Height) {
  if (Height == 0) Height = 1;
  glViewport(0, 0, Width, Height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, double(Width) / double(Height), 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
