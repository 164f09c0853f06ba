// The one headless host: an EGL context, fake services and the real
// TFormMain, stepped frame by frame. Tests, the simulator and the benchmark use it.
#pragma once
#include <memory>
#include <string>

#include "FakeServices.h"
#include "HeadlessContext.h"
#include "frmMainGL.h"

class THeadlessHost {
 public:
  // ProgramFolder holds the model files (normally build/bin); Samples as THeadlessContext's.
  THeadlessHost(int Width, int Height, const std::string& ProgramFolder, int Samples = 0);
  ~THeadlessHost();

  // Advances the clock by MsPerFrame, then runs one FormPaint and presents it.
  void Frame(uint32_t MsPerFrame = 16);
  // Runs frames until the start-up frame is done; false when start-up failed.
  bool StartUp();

  TFakeTicks Ticks;
  TFakeInput Input;
  TRecordingSound Sound;
  TCapturingMessages Messages;
  TFakeCursor Cursor;
  std::unique_ptr<THeadlessContext> Context;
  std::unique_ptr<TFormMain> Form;
  long FrameCount = 0;
};

// The folder of the built executables and data files.
std::string DefaultProgramFolder();
