// The shell on SDL2: creates the window, its GL context and the game form in
// a fixed order, runs the message loop and tears everything down again.
#pragma once
#include <SDL.h>

#include <array>
#include <memory>
#include <string>

#include "FrameLimiter.h"
#include "PauseScreen.h"
#include "Shell.h"
#include "SdlSound.h"

class TFormMain;
class TSdlInput;
class TSdlCursor;
class TSdlMessages;
class TSdlTicks;
class TDemoSession;

class TFormAdapter;

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
  // Full screen (the default) or a resizable 1024 x 768 window; call before RunMainLoop.
  void SetStartFullScreen(bool FullScreen) { startFullScreen_ = FullScreen; }

  bool CreateRenderWindow(int Width, int Height, bool FullScreen, int BitsPerPixel);
  void DestroyRenderWindow(bool RestoreDisplay);

 private:
  void HandleEvent(const SDL_Event& Event, bool& Finished);
  void ResizeToDrawable();
  void SetSwapInterval();

  // Pause and window mode (SdlShellPause.cpp). While paused no game frame
  // runs, the game's clock and the sound stand still, the window shows the
  // last picture with the "PAUSED" sign and its caption says so.
  void SetPaused(bool Paused);
  // Presents a frame, keeping its picture first when a pause is waiting for it.
  void PresentFrame();
  void EnterPause();
  // An event while paused; true when it was used up here (key presses, the
  // mouse, the timer) and must not reach the game.
  bool HandlePausedEvent(const SDL_Event& Event, bool& Finished);
  // Pause keys, focus and minimising, window mode keys; true when used up.
  bool HandleShellEvent(const SDL_Event& Event);
  void DrawPaused();
  void ToggleWindowMode();
  void Fail(const std::string& Text);
  void FailWithReason(const std::string& Text);

  std::array<TClipBytes, WaveItemCount> clips_;
  bool videoUp_ = false;
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  SDL_TimerID timer_ = 0;
  uint32_t timerEvent_ = 0;
  bool paced_ = true;
  bool startFullScreen_ = true;
  bool paused_ = false;
  bool pausePending_ = false;  // asked for; begins after the next frame
  bool pausedDirty_ = false;  // the paused picture must be drawn again
  TPauseScreen pauseScreen_;

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
