// The scripted game in the page, run exactly as skyrend-sim runs it: the form
// is made on a clock standing at 0, then driven by the script's clock, input
// and pointer, frame by frame, with the same trace lines. Only the drawing
// differs: it goes to the page's WebGL 2 canvas through our GL subset.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FakeServices.h"
#include "ReplayDriver.h"
#include "ScriptInput.h"
#include "TraceWriter.h"
#include "frmMainGL.h"

class TWebSimulator {
 public:
  // The canvas context must be current at Width x Height.
  TWebSimulator(int Width, int Height, const std::string& ProgramFolder, std::vector<TScriptEvent> Events,
                uint32_t MsPerFrame = 16);
  ~TWebSimulator();

  // Runs the next frame with its script events and clock; false when the game asked to end.
  bool Step();
  const std::string& TraceLine();
  // The canvas as RGBA bytes, top row first (call right after Step, before the page shows it).
  void ReadPixels(std::vector<uint8_t>& Rgba) const;

  TFakeTicks StartTicks;
  TFakeInput StartInput;
  TFakeCursor StartCursor;
  TRecordingSound Sound;
  TCapturingMessages Messages;
  TFrameClock Clock;
  TScriptInput Input;
  TScriptCursor Cursor;
  TReplayDriver Driver;
  TTraceWriter Trace;
  std::unique_ptr<TFormMain> Form;

 private:
  int width_, height_;
  long frame_ = 0;
  bool newWorld_ = true;
  long hides_ = 0;
  const TBlob* player_ = nullptr;
};
