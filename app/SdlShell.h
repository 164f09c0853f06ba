// The shell on SDL2: creates the window, its GL context and the game form in
// a fixed order, runs the message loop and tears everything down again.
#pragma once
#include <SDL.h>

#include <array>
#include <memory>
#include <string>

#include "FrameLimiter.h"
#include "Shell.h"
#include "SdlSound.h"

class TFormMain;
class TSdlInput;
class TSdlCursor;
class TSdlMessages;
class TSdlTicks;
class TDemoSession;

class TSdlShell {
 public:
  // Clips are the six sound clips handed to the sound service.
  explicit TSdlShell(const std::array<TClipBytes, WaveItemCount>& Clips);
  ~TSdlShell();
  TSdlShell(const TSdlShell&) = delete;
  TSdlShell& operator=(const TSdlShell&) = delete;

  // Creates everything and runs the loop; returns the process exit code:
  // 0 after Escape or a close, 1 after a failure.
  int RunMainLoop();

  // Records or plays a demo instead of plain play; call before RunMainLoop.
  void SetDemo(std::unique_ptr<TDemoSession> Demo);

  bool CreateRenderWindow(int Width, int Height, bool FullScreen, int BitsPerPixel);
  void DestroyRenderWindow(bool RestoreDisplay);

 private:
  class TFormAdapter;
  void HandleEvent(const SDL_Event& Event, bool& Finished);
  void ResizeToDrawable();
  void SetSwapInterval();
  void Fail(const std::string& Text);
  void FailWithReason(const std::string& Text);

  std::array<TClipBytes, WaveItemCount> clips_;
  bool videoUp_ = false;
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  SDL_TimerID timer_ = 0;
  uint32_t timerEvent_ = 0;
  bool paced_ = true;

  std::unique_ptr<TDemoSession> demo_;  // outlives the form, which uses its services
  std::unique_ptr<TSdlTicks> ticks_;
  std::unique_ptr<TSdlInput> input_;
  std::unique_ptr<TSdlSound> sound_;
  std::unique_ptr<TSdlMessages> messages_;
  std::unique_ptr<TSdlCursor> cursor_;
  std::unique_ptr<TFormMain> form_;
  std::unique_ptr<TFormAdapter> adapter_;
  std::unique_ptr<TShell> shell_;
};
