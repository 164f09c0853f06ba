// The player's settings in the desktop window, the rumble, the kept window
// size and the picture F12 saves.
#include <cstdio>
#include <ctime>

#include "Screenshot.h"
#include "SettingsFile.h"
#include "SdlJoystick.h"
#include "SdlShell.h"
#include "WindowMode.h"

void TSdlShell::SetPlayer(const TSettings& Settings, TScoreTable Scores, IPlayerStore* Store) {
  settings_ = Settings;
  scores_ = std::move(Scores);
  store_ = Store;
}

void TSdlShell::ApplySettings(const TSettings& Settings) {
  const bool VsyncChanged = Settings.Vsync != settings_.Vsync;
  settings_ = Settings;
  if (sound_) sound_->SetVolume(Settings.Volume, Settings.Muted);
  if (!window_) return;
  if (VsyncChanged) SetSwapInterval();
  // Samples a pixel wait for the next start: they belong to the window's pixel format.
  const bool FullScreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  if (Settings.FullScreen != FullScreen) ToggleWindowMode();
}

void TSdlShell::Rumble(int Strength, int Ms) {
  if (joystick_) joystick_->Rumble(Strength, Ms);
}

void TSdlShell::RememberWindowSize() {
  if (!sizeChanged_ || !window_ || !host_) return;
  sizeChanged_ = false;
  if (SDL_GetWindowFlags(window_) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED)) return;
  int W = 0, H = 0;
  SDL_GetWindowSize(window_, &W, &H);
  TSettings S = host_->Settings();
  if (W < MinWindowWidth || H < MinWindowHeight || (W == S.WindowWidth && H == S.WindowHeight)) return;
  S.WindowWidth = W;
  S.WindowHeight = H;
  host_->ChangeSettings(S);
  pausedDirty_ = true;  // a paused screen's window-size row shows the new size now
}

void TSdlShell::TakePictureIfAsked() {
  if (!pictureAsked_ || !host_) return;
  pictureAsked_ = false;
  int W = 0, H = 0;
  SDL_GL_GetDrawableSize(window_, &W, &H);
  const std::string Folder = PicturesFolder();
  std::string Error = Folder.empty() ? "no pictures folder (HOME is not set)" : "";
  const std::string Path = Folder.empty() ? "" : ScreenshotPath(Folder, std::time(nullptr));
  if (Error.empty() && SaveScreenshot(Path, W, H, Error)) {
    std::printf("skyrend: picture saved as %s\n", Path.c_str());
    std::fflush(stdout);
    host_->ShowNotice("Picture saved: " + Path.substr(Path.find_last_of('/') + 1));
  } else {
    std::fprintf(stderr, "skyrend: the picture cannot be saved: %s%s%s\n", Path.c_str(), Path.empty() ? "" : ": ",
                 Error.c_str());
    host_->ShowNotice("Picture not saved: " + Error);
  }
}
