// The desktop shell on SDL2: creates the window, its GL context and the game
// host in a fixed order, turns SDL's events into the host's input stream,
// runs the loop and tears everything down again.
#pragma once
#include <SDL.h>

#include <array>
#include <memory>
#include <string>

#include "GameHost.h"
#include "SdlSound.h"

class TSdlJoystick;
class TSdlMessages;
class TSdlWallClock;

class TSdlShell : private IHostShell {
 public:
  // Clips are the six sound clips handed to the sound service.
  explicit TSdlShell(const std::array<TClipBytes, WaveItemCount>& Clips);
  ~TSdlShell() override;
  TSdlShell(const TSdlShell&) = delete;
  TSdlShell& operator=(const TSdlShell&) = delete;

  // Creates everything and runs the loop; returns the process exit code:
  // 0 after Escape or a close, 1 after a failure.
  int RunMainLoop();

  // Records the game into a demo file, or plays a demo's events; call before RunMainLoop.
  void SetRecording(std::unique_ptr<std::ostream> Out, const std::string& Name);
  void SetReplay(std::vector<TScriptEvent> Events);
  // The player's settings for this run (window mode and size, samples a
  // pixel, volume, vsync), the kept score table and where changes and games
  // are kept (may be null); call before RunMainLoop.
  void SetPlayer(const TSettings& Settings, TScoreTable Scores, IPlayerStore* Store);
  // Where games go to the score board; null sends none.
  void SetBoard(IBoardTransport* Board) { board_ = Board; }

  bool CreateRenderWindow(int Width, int Height, bool FullScreen, int BitsPerPixel);
  void DestroyRenderWindow(bool RestoreDisplay);

 private:
  // What the host asks of the shell around frames and pauses.
  void Present() override;
  void PauseChanged(bool Paused) override;
  void PointerFree(bool Free) override;
  // The player's settings (SdlShellPlayer.cpp).
  void ApplySettings(const TSettings& Settings) override;
  void Rumble(int Strength, int Ms) override;
  // A resized window's size is kept once the player has let go of it.
  void RememberWindowSize();
  // F12 asked for the picture: saved from the back buffer, before the swap.
  void TakePictureIfAsked();

  void HandleEvent(const SDL_Event& Event, bool& Finished);
  // Key, mouse and joystick events into the host's input stream.
  void HandleInput(const SDL_Event& Event);
  void ResizeToDrawable();
  void SetSwapInterval();
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
  TSettings settings_;
  TScoreTable scores_;
  IPlayerStore* store_ = nullptr;
  IBoardTransport* board_ = nullptr;
  bool pictureAsked_ = false;  // F12 was pressed: the next picture shown is saved
  bool sizeChanged_ = false;   // the window was resized: its size is kept at the next timer
  bool pausedDirty_ = false;  // the paused picture must be drawn again
  bool pressTaken_ = false;   // the left button went down on the pause screen
  bool pausedNotice_ = false;  // the paused picture shows a notice: drawn again once it ends
  std::unique_ptr<std::ostream> recording_;
  std::string recordingName_;
  std::unique_ptr<std::vector<TScriptEvent>> replay_;

  std::unique_ptr<TSdlWallClock> wall_;
  std::unique_ptr<TSdlJoystick> joystick_;
  std::unique_ptr<TSdlSound> sound_;
  std::unique_ptr<TSdlMessages> messages_;
  std::unique_ptr<TGameHost> host_;
};
