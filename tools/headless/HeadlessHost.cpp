#include "HeadlessHost.h"

THeadlessHost::THeadlessHost(int Width, int Height, const std::string& ProgramFolder, int Samples)
    : Context(std::make_unique<THeadlessContext>(Width, Height, Samples)) {
  TServices services;
  services.Ticks = &Ticks;
  services.Input = &Input;
  services.Sound = &Sound;
  services.Messages = &Messages;
  services.Cursor = &Cursor;
  services.ProgramFolder = ProgramFolder;
  services.ScreenWidth = Width;
  services.ScreenHeight = Height;
  Form = std::make_unique<TFormMain>(services);
  Form->ViewWidth = Width;
  Form->ViewHeight = Height;
}

THeadlessHost::~THeadlessHost() {
  if (Form) Form->FormDestroy();
  Form.reset();
  Context.reset();
}

void THeadlessHost::Frame(uint32_t MsPerFrame) {
  Ticks.Now += MsPerFrame;
  ++FrameCount;
  Form->FormPaint();
  Context->Swap();
}

bool THeadlessHost::StartUp() {
  if (Form->StartupPending) Frame();
  return !Form->TerminateRequested;
}

std::string DefaultProgramFolder() {
#ifdef SKYREND_PROGRAM_DIR
  return SKYREND_PROGRAM_DIR;
#else
  return ".";
#endif
}
