// The shell in the browser: the WebGL 2 context on the page's canvas, the
// game host on the browser's services, the page's key, mouse, touch, focus,
// visibility and pointer-lock events as the host's input, and the game's 60
// steps a second on the host's frame schedule: each display frame takes the
// steps due and draws the last of them. The page never ends the
// game: Escape, a hidden tab, a window that loses the focus and a lost
// pointer lock pause it, and P plays on. A lost WebGL context pauses the game
// until the browser gives it back; then it is built again and the game waits
// under the pause sign for the player.
#pragma once
#include <emscripten/html5.h>

#include <array>
#include <memory>

#include "FrameSchedule.h"
#include "GameHost.h"
#include "PlayerStore.h"
#include "WebBoardTransport.h"
#include "WebServices.h"
#include "WebSound.h"

class TWebShell : private IHostShell {
 public:
  explicit TWebShell(const std::array<TClipData, WaveItemCount>& Clips);
  ~TWebShell() override;
  TWebShell(const TWebShell&) = delete;
  TWebShell& operator=(const TWebShell&) = delete;

  // Context, services, host, the page's events and the frame loop; false
  // after a failure, whose reason the page shows.
  bool Start();

  const TGameHost* Host() const { return host_.get(); }
  TGameHost* Host() { return host_.get(); }

 private:
  // Plays the demo of the game the page was opened to watch, if any.
  void WatchDemo();
  // The page's status line while the game plays.
  static constexpr const char* PlayingText = "Click the picture to use the mouse. P or Esc pauses.";
  static constexpr const char* TouchPlayingText = "Stick: turn and speed. FIRE shoots and starts a game.";
  // Paused, the pause screen's settings change by a click or a tap.
  static constexpr const char* PausedText = "Paused: click a setting to change it, P to play on.";
  static constexpr const char* TouchPausedText = "Paused: tap a setting to change it, \u25B6 to play on.";
  // The status line while playing or paused, for the keyboard and mouse or for touch.
  static const char* PlayingLine();
  static const char* PausedLine();

  // What the host asks of the page around frames and pauses (WebShellPause.cpp).
  void Present() override {}  // the browser shows the canvas after each display frame
  void PauseChanged(bool Paused) override;
  void DrawPausedIfNeeded();
  // The player's settings (volume and mute) and the pad's rumble.
  void ApplySettings(const TSettings& Settings) override;
  void Rumble(int Strength, int Ms) override;
  // The player's name for the score board, asked in the page (WebShellName.cpp).
  bool AskPlayerName() override;
  void TakePlayerName();

  // The page's events (WebShellEvents.cpp).
  void ListenToPage();
  bool KeyDown(const EmscriptenKeyboardEvent& Event);
  bool KeyUp(const EmscriptenKeyboardEvent& Event);
  void MouseMove(const EmscriptenMouseEvent& Event);
  void MouseDown(const EmscriptenMouseEvent& Event);
  void MouseUp(const EmscriptenMouseEvent& Event);
  void LostFocus();
  void VisibilityChanged(bool Hidden);
  void PointerLockChanged(bool Locked);
  void CoverClicked();
  void ContextLost();
  void ContextRestored();
  // The page's touch controls (window.SkyrendTouch) as joystick 1 when no
  // pad is connected, at each step; and their pause button, once a display frame.
  void ReadTouch(int16_t& X, int16_t& Y, uint32_t& Buttons);
  void TouchPause();
  // A tap on the canvas outside the touch controls' buttons: the title's table may take it.
  void TouchTap();
  void PagePause();
  // Where the touch controls lie, for the host's notices to keep clear of them.
  void FollowTouchControls();

  // One display frame: the steps due, the last drawn; the pause sign when it must be drawn.
  void DisplayFrame(double Now);
  void StepFrame(bool Draw = true);
  void FollowCanvasSize();
  void Stop();

  std::array<TClipData, WaveItemCount> clips_;
  TWebWallClock wall_;
  TWebCursor cursor_;
  std::unique_ptr<TWebSound> sound_;
  std::unique_ptr<TWebMessages> messages_;
  TWebBoardTransport board_;  // before the host, which sends through it
  TPlayerStore store_;  // on localStorage
  std::unique_ptr<TGameHost> host_;
  // Microseconds; a display frame up to a quarter period early takes its step (display frames jitter).
  TFrameSchedule schedule_{1000000, 60, 1000000 / 60 / 4};
  long pictures_ = 0;  // steps drawn, for the page's figures
  int width_ = 0, height_ = 0;
  double lastTitle_ = 0;
  int touchFires_ = 0, touchPauses_ = 0;  // the presses already seen, of the page's counts
  bool contextLost_ = false;  // paused, drawing waits for the browser to give the context back
  bool shownFirst_ = false;   // the first picture has been drawn
  bool running_ = false;
  bool pausedDirty_ = false;  // the pause sign must be drawn again
  bool pressTaken_ = false;   // the left button went down on the pause screen
  bool locked_ = false;       // the canvas holds the pointer
  bool pointerTaken_ = false;  // the player took the pointer: playing on takes it again
  bool naming_ = false;        // the page's name field is open
};

// The page's one shell, with the game's sound clips, started; null after a
// failure. It lives as long as the page.
TWebShell* StartPageShell();
