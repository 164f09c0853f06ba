#include "WebSimulator.h"

#include <GL/gl.h>

TWebSimulator::TWebSimulator(int Width, int Height, const std::string& ProgramFolder,
                             std::vector<TScriptEvent> Events, uint32_t MsPerFrame)
    : Cursor(Width, Height), Driver(std::move(Events), MsPerFrame), width_(Width), height_(Height) {
  TServices S;
  S.Ticks = &StartTicks;
  S.Input = &StartInput;
  S.Sound = &Sound;
  S.Messages = &Messages;
  S.Cursor = &StartCursor;
  S.ProgramFolder = ProgramFolder;
  S.ScreenWidth = Width;
  S.ScreenHeight = Height;
  Form = std::make_unique<TFormMain>(S);
  Form->ViewWidth = Width;
  Form->ViewHeight = Height;
  // Made on the start services as the headless host makes it; the script's take over now.
  Form->Services.Ticks = &Clock;
  Form->Services.Input = &Input;
  Form->Services.Cursor = &Cursor;
  Sound.Events.clear();
  player_ = Form->Player.get();
}

TWebSimulator::~TWebSimulator() {
  if (Form) Form->FormDestroy();
}

bool TWebSimulator::Step() {
  Sound.Events.clear();
  Driver.BeginFrame(frame_ + 1, *Form, Input, Cursor, Clock);
  ++frame_;
  Form->FormPaint();
  if (Cursor.Hides() != hides_ || Form->Player.get() != player_) newWorld_ = true;
  hides_ = Cursor.Hides();
  player_ = Form->Player.get();
  return !Form->TerminateRequested;
}

const std::string& TWebSimulator::TraceLine() {
  const std::string& Line = Trace.FormatFrame(frame_, *Form, Sound.Events.data(), Sound.Events.size(), newWorld_);
  newWorld_ = false;
  return Line;
}

void TWebSimulator::ReadPixels(std::vector<uint8_t>& Rgba) const {
  const size_t Row = size_t(width_) * 4;
  std::vector<uint8_t> Bottom(Row * size_t(height_));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, Bottom.data());
  Rgba.resize(Bottom.size());
  for (int y = 0; y < height_; ++y)
    std::copy(Bottom.begin() + long(Row) * (height_ - 1 - y), Bottom.begin() + long(Row) * (height_ - y),
              Rgba.begin() + long(Row) * y);
}
