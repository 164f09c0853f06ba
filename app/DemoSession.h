// Demo recording and playback in the game window (skyrend --record FILE,
// skyrend --play FILE). Both run the form on the script services: a clock set
// once per frame, a keyboard snapshot made from key messages, joystick 1 and
// the virtual pointer, so that skyrend-sim replays a recorded game exactly.
// Recording writes every input the form sees and each frame's clock; playback
// reads them back and ignores the keyboard except Escape, and the mouse.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "ReplayDriver.h"
#include "ScriptInput.h"
#include "ScriptRecorder.h"

class TFormMain;
class ITickSource;
class TSdlInput;
struct TServices;

class TDemoSession {
 public:
  enum class TMode { Record, Play };
  // Reads the demo to play, or creates the file to record into. Throws
  // std::runtime_error (or EScriptError naming the bad line) with the reason.
  TDemoSession(TMode Mode, const std::string& Path);
  ~TDemoSession();

  // Before the form is made: the form's clock, input and cursor become the
  // session's (the window's cursor still shows and hides).
  void Attach(TServices& Services, ICursorService* WindowCursor, int Width, int Height);
  // After the form is made.
  void SetForm(TFormMain& Form);

  // A window event: true when the session took it and the shell must not.
  // Keys is the shell's key table (for the Escape test).
  bool HandleEvent(const SDL_Event& Event, uint8_t (&Keys)[256]);
  // Right before each FormPaint; Input is the window's, for joystick 1.
  void BeginFrame(const TSdlInput& Input);
  // Playback has shown the demo's last frame.
  bool Finished() const;
  // Writes out the recording; false (with a message on stderr) when it failed.
  bool Close();

 private:
  uint32_t GameTicks() const;

  TMode mode_;
  ITickSource* gameClock_ = nullptr;
  std::string path_;
  std::ofstream out_;
  std::unique_ptr<TReplayDriver> driver_;
  TFrameClock clock_;
  TScriptInput input_;
  std::unique_ptr<TScriptCursor> cursor_;
  std::unique_ptr<TScriptRecorder> recorder_;
  TFormMain* form_ = nullptr;
  uint32_t start_ = 0;
  long frame_ = 0;
};
