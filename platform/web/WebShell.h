// The shell in the browser: the WebGL 2 context on the page's canvas, the
// game form with the browser services, the page's key, mouse and focus
// events, and one game frame per display frame on a 60 per second schedule.
#pragma once
#include <emscripten/html5.h>

#include <array>
#include <memory>

#include "FramePacer.h"
#include "Shell.h"
#include "WebInput.h"
#include "WebServices.h"
#include "WebSound.h"

class TFormMain;

// Makes the WebGL 2 context on #canvas at Width x Height and makes it current;
// false (with the reason on the page) when the browser has no WebGL 2.
bool CreatePageContext(int Width, int Height);

// The drawing buffer's size from the canvas element.
void CanvasSize(int& Width, int& Height);

class TFormAdapter;

class TWebShell {
 public:
  explicit TWebShell(const std::array<TClipData, WaveItemCount>& Clips);
  ~TWebShell();

  // Context, services, form, events and the frame loop; false after a failure.
  bool Start();
  // One display frame: plays a game frame when one is due.
  void DisplayFrame(double Now);

  // What the page's events do.
  bool KeyDown(const EmscriptenKeyboardEvent& Event);
  bool KeyUp(const EmscriptenKeyboardEvent& Event);
  void MouseMove(const EmscriptenMouseEvent& Event);
  void MouseDown(const EmscriptenMouseEvent& Event);
  void MouseUp(const EmscriptenMouseEvent& Event);
  void LostFocus();

  TWebSound* Sound() { return sound_.get(); }
  // The form's status caption (position and heading), for the page's tests.
  const char* Caption() const;

 private:
  void Stop(const char* Why);
  bool PointerLocked() const;

  std::array<TClipData, WaveItemCount> clips_;
  TWebTicks ticks_;
  TWebInput input_;
  std::unique_ptr<TWebSound> sound_;
  std::unique_ptr<TWebMessages> messages_;
  std::unique_ptr<TWebCursor> cursor_;
  std::unique_ptr<TFormMain> form_;
  std::unique_ptr<TFormAdapter> adapter_;
  std::unique_ptr<TShell> shell_;
  TFramePacer pacer_;
  double lastTitle_ = 0;
  bool running_ = false;
};
