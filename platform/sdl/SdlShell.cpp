#include "SdlShell.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "FrameLimiter.h"
#include "FrameStats.h"
#include "KeyCodes.h"
#include "PlayerFiles.h"
#include "SettingsFile.h"
#include "SdlJoystick.h"
#include "SdlServices.h"
#include "WindowMode.h"

namespace {

const char* const ShellCaption = "Error";
const char* const GameCaption = "Skyrend";
constexpr int32_t TimerId = 1;

// The counter SDL keeps for high-resolution timing.
class TSdlFrameClock : public IFrameClock {
 public:
  uint64_t Now() override { return SDL_GetPerformanceCounter(); }
  uint64_t Frequency() override { return SDL_GetPerformanceFrequency(); }
  void SleepUs(uint32_t Us) override { std::this_thread::sleep_for(std::chrono::microseconds(Us)); }
};

// The one-second timer runs on SDL's timer thread: it only posts an event,
// and the loop does the work on the main thread.
Uint32 PostTimerEvent(Uint32 Interval, void* Param) {
  SDL_Event Event{};
  Event.type = *static_cast<uint32_t*>(Param);
  Event.user.code = TimerId;
  SDL_PushEvent(&Event);
  return Interval;
}

// SDL falls back to an invisible video driver when there is no display; a
// game nobody can see or quit must not start. Asked for by name, it may.
bool HasDisplay() {
  const char* Driver = SDL_GetCurrentVideoDriver();
  const char* Asked = std::getenv("SDL_VIDEODRIVER");
  if (!Driver || (Asked && *Asked)) return true;
  if (std::strcmp(Driver, "offscreen") != 0 && std::strcmp(Driver, "dummy") != 0) return true;
  SDL_SetError("no display (video driver \"%s\")", Driver);
  return false;
}

// The first line of a start-up failure for want of a display, before the
// shell's own message: the reason comes first.
const char* const NoDisplayLine = "No display: no X11 or Wayland display could be reached (DISPLAY, WAYLAND_DISPLAY)\n";

bool DisplayNamed() {
  for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* Value = std::getenv(Name);
    if (Value && *Value) return true;
  }
  return false;
}

bool EnvIsOne(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value && std::strcmp(Value, "1") == 0;
}

}  // namespace

TSdlShell::TSdlShell(const std::array<TClipBytes, WaveItemCount>& Clips) : clips_(Clips) {}

TSdlShell::~TSdlShell() = default;

void TSdlShell::SetRecording(std::unique_ptr<std::ostream> Out, const std::string& Name) {
  recording_ = std::move(Out);
  recordingName_ = Name;
}

void TSdlShell::SetReplay(std::vector<TScriptEvent> Events) {
  replay_ = std::make_unique<std::vector<TScriptEvent>>(std::move(Events));
}

void TSdlShell::Fail(const std::string& Text) { ShowFailureMessage(ShellCaption, Text); }

void TSdlShell::FailWithReason(const std::string& Text) {
  const std::string Reason = SDL_GetError();
  Fail(Text);
  // SDL's own reason, for whoever reads the log.
  if (!Reason.empty()) std::fprintf(stderr, "SDL: %s\n", Reason.c_str());
}

bool TSdlShell::CreateRenderWindow(int Width, int Height, bool FullScreen, int /*BitsPerPixel: the desktop keeps its own*/) {
  // SDL itself first: video, timer, events and game controllers.
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER) != 0) {
    FailWithReason(std::string(DisplayNamed() ? "" : NoDisplayLine) + "Failed to register the window class!");
    return false;
  }
  if (!HasDisplay()) {
    const std::string Reason = SDL_GetError();
    SDL_Quit();
    SDL_SetError("%s", Reason.c_str());
    FailWithReason(std::string(NoDisplayLine) + "Failed to register the window class!");
    return false;
  }
  videoUp_ = true;

  // Full screen takes the desktop as it is: the display mode is never
  // changed, the picture fills the screen at its own size. A window opens in
  // the middle of the screen.
  const SDL_Rect Place = InitialWindowPlace(FullScreen, Width, Height);
  // The pointer is hidden until the host frees it (GameHost PointerFree).
  SDL_ShowCursor(SDL_DISABLE);

  // The window, hidden, with the pixel format requested before it is made
  // (SDL chooses and sets the format inside SDL_CreateWindow).
  const Uint32 Flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE |
                       (FullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  window_ = CreateGameWindow(WindowTitle, Place.x, Place.y, Place.w, Place.h, Flags, ChooseSamples(settings_.Multisampling));
  if (!window_) {
    const std::string Reason = SDL_GetError();
    DestroyRenderWindow(FullScreen);
    SDL_SetError("%s", Reason.c_str());
    FailWithReason("Unable to create window!");
    return false;
  }

  // Every text screen stays readable: the window never gets smaller than this.
  SDL_SetWindowMinimumSize(window_, MinWindowWidth, MinWindowHeight);

  // The rendering context, current on this thread for the whole run.
  context_ = SDL_GL_CreateContext(window_);
  if (!context_) {
    const std::string Reason = SDL_GetError();
    DestroyRenderWindow(FullScreen);
    SDL_SetError("%s", Reason.c_str());
    FailWithReason("Unable to create an OpenGL rendering context");
    return false;
  }
  if (SDL_GL_MakeCurrent(window_, context_) != 0) {
    const std::string Reason = SDL_GetError();
    DestroyRenderWindow(FullScreen);
    SDL_SetError("%s", Reason.c_str());
    FailWithReason("Unable to activate OpenGL rendering context");
    return false;
  }

  // The one-second timer; the window shown, in front, with the focus.
  timerEvent_ = SDL_RegisterEvents(1);
  if (timerEvent_ != uint32_t(-1)) timer_ = SDL_AddTimer(1000, PostTimerEvent, &timerEvent_);
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  SDL_StopTextInput();
  paced_ = !EnvIsOne("SKYREND_UNCAPPED");
  SetSwapInterval();
  // Relative mode until the host says otherwise: the pointer never leaves the
  // window and the game reads an accumulated position.
  SDL_SetRelativeMouseMode(SDL_TRUE);

  // The view from the drawable size, then the game form with its services.
  int DrawW = Width, DrawH = Height;
  SDL_GL_GetDrawableSize(window_, &DrawW, &DrawH);

  wall_ = std::make_unique<TSdlWallClock>();
  joystick_ = std::make_unique<TSdlJoystick>(window_);
  sound_ = std::make_unique<TSdlSound>(clips_);
  sound_->SetVolume(settings_.Volume, settings_.Muted);
  messages_ = std::make_unique<TSdlMessages>(GameCaption, window_);
  THostPlatform Platform;
  Platform.WallClock = wall_.get();
  Platform.Sound = sound_.get();
  Platform.Messages = messages_.get();
  Platform.Shell = this;
  Platform.ProgramFolder = ProgramFolder();
  Platform.Width = DrawW;
  Platform.Height = DrawH;
  Platform.Settings = settings_;
  Platform.Scores = scores_;
  Platform.Store = store_;
  Platform.Board = board_;
  Platform.Today = LocalDate;
  Platform.HostScreens = true;
  Platform.RecordGames = true;
  host_ = std::make_unique<TGameHost>(Platform);
  if (recording_) host_->Record(std::move(recording_), recordingName_);
  if (replay_) host_->Replay(std::move(*replay_));
  host_->Resize(DrawW, DrawH);
  return true;
}

void TSdlShell::SetSwapInterval() {
  int Interval = 0;
  SDL_DisplayMode Current{};
  if (paced_ && settings_.Vsync && SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window_), &Current) == 0)
    Interval = ChooseSwapInterval(Current.refresh_rate);
  if (Interval == -1 && SDL_GL_SetSwapInterval(-1) == 0) return;
  SDL_GL_SetSwapInterval(Interval == -1 ? 1 : Interval);
}

void TSdlShell::DestroyRenderWindow(bool RestoreDisplay) {
  // The form's own clean-up, then the form and its services. The form goes
  // while the context is still current: its models own GL textures.
  host_.reset();
  sound_.reset();
  joystick_.reset();
  messages_.reset();
  wall_.reset();
  if (!videoUp_) return;
  // Back to the desktop's display mode.
  if (RestoreDisplay && window_) {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_ShowCursor(SDL_ENABLE);
  }
  // Release the context, then delete it; deleting a context reports no
  // failure.
  if (SDL_GL_MakeCurrent(window_, nullptr) != 0) Fail("Release of DC and RC failed!");
  if (context_) {
    SDL_GL_DeleteContext(context_);
    context_ = nullptr;
  }
  // The window, then SDL itself.
  if (window_) {
    SDL_DestroyWindow(window_);
    window_ = nullptr;
  }
  if (timer_) SDL_RemoveTimer(timer_);
  timer_ = 0;
  SDL_Quit();
  videoUp_ = false;
}

void TSdlShell::ResizeToDrawable() {
  int W = 0, H = 0;
  SDL_GL_GetDrawableSize(window_, &W, &H);
  host_->Resize(W, H);
  // Paused, the picture is drawn again at the new size rather than stretched.
  if (host_->Paused()) host_->RedrawPicture();
  pausedDirty_ = true;
}

void TSdlShell::HandleInput(const SDL_Event& Event) {
  switch (Event.type) {
    case SDL_KEYDOWN:
      if (!IsSystemKey(Event.key.keysym.sym, Event.key.keysym.mod))
        host_->KeyDown(VirtualKeyFromSdl(Event.key.keysym.sym));
      if (host_->Paused()) pausedDirty_ = true;  // the options may have changed
      break;
    case SDL_KEYUP:
      host_->KeyUp(VirtualKeyFromSdl(Event.key.keysym.sym));
      break;
    case SDL_MOUSEMOTION:
      host_->MouseMotion(Event.motion.xrel, Event.motion.yrel,
                         MouseButtons(Event.motion.state & SDL_BUTTON_LMASK, Event.motion.state & SDL_BUTTON_RMASK));
      break;
    case SDL_MOUSEBUTTONDOWN: {
      // While paused a click picks and changes the options, on the title's
      // table it chooses and watches a game: the host is told where, in the
      // drawable's pixels. A click it takes never reaches the game.
      if (Event.button.button != SDL_BUTTON_LEFT || SDL_GetRelativeMouseMode()) break;
      int Ww = 1, Wh = 1, Dw = 0, Dh = 0;
      SDL_GetWindowSize(window_, &Ww, &Wh);
      SDL_GL_GetDrawableSize(window_, &Dw, &Dh);
      const bool Paused = host_->Paused();
      const bool Taken = host_->Press(Event.button.x * Dw / std::max(1, Ww), Event.button.y * Dh / std::max(1, Wh));
      if (Paused) {
        pressTaken_ = true;  // its release is the pause screen's too, even after playing on
        if (Taken) pausedDirty_ = true;
      } else if (Taken) {
        pressTaken_ = true;
      }
      break;
    }
    case SDL_MOUSEBUTTONUP:
      if (Event.button.button == SDL_BUTTON_LEFT && !pressTaken_) host_->Click();
      if (Event.button.button == SDL_BUTTON_LEFT) pressTaken_ = false;
      break;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
      joystick_->HandleEvent(Event);
      break;
  }
}

void TSdlShell::HandleEvent(const SDL_Event& Event, bool& Finished) {
  if ((Event.type == SDL_KEYDOWN || Event.type == SDL_KEYUP) && Event.key.keysym.sym == SDLK_F12) {
    // The picture is the shell's business: the game never sees F12.
    if (Event.type == SDL_KEYDOWN && !Event.key.repeat) pictureAsked_ = pausedDirty_ = true;
    return;
  }
  if (Event.type == SDL_KEYDOWN && IsWindowModeKey(Event.key.keysym)) {
    if (!Event.key.repeat) ToggleWindowMode();
    return;
  }
  switch (Event.type) {
    case SDL_QUIT:
      Finished = true;
      break;
    case SDL_WINDOWEVENT:
      if (Event.window.event == SDL_WINDOWEVENT_CLOSE) {
        SDL_Event Quit{};
        Quit.type = SDL_QUIT;
        SDL_PushEvent(&Quit);
      } else if (Event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                 Event.window.event == SDL_WINDOWEVENT_RESTORED) {
        ResizeToDrawable();
        sizeChanged_ = true;
      } else if (Event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                 Event.window.event == SDL_WINDOWEVENT_MINIMIZED) {
        host_->ReleaseKeys();  // their releases go to another window
        host_->RequestPause();
      }
      pausedDirty_ = true;
      break;
    default:
      if (Event.type == timerEvent_ && Event.user.code == TimerId) {
        SDL_SetWindowTitle(window_, host_->TimerTitle().c_str());
        RememberWindowSize();
      } else {
        HandleInput(Event);
      }
      break;
  }
  if (host_->QuitRequested() && host_->Paused()) Finished = true;
}

int TSdlShell::RunMainLoop() {
  if (!CreateRenderWindow(settings_.WindowWidth, settings_.WindowHeight, settings_.FullScreen, 32)) return 1;
  TSdlFrameClock Clock;
  TFrameLimiter Limiter(Clock);
  std::unique_ptr<TFrameStats> Stats;
  if (EnvIsOne("SKYREND_FRAME_STATS")) Stats = std::make_unique<TFrameStats>(1 << 20);
  int ExitCode = 0;
  bool Finished = false;
  bool Draw = true;  // the next step's picture: a machine that fell behind skips some
  while (!Finished) {
    SDL_Event Event;
    if (host_->Paused()) {
      // Nothing runs: wait for the player, redrawing the sign when needed.
      if (SDL_WaitEventTimeout(&Event, 250)) HandleEvent(Event, Finished);
      host_->PollStore();
      if (pausedNotice_ && host_->NoticeText().empty()) pausedDirty_ = true;
      if (host_->Paused() && pausedDirty_) DrawPaused();
      continue;
    }
    if (SDL_PollEvent(&Event)) {
      HandleEvent(Event, Finished);
      continue;
    }
    int16_t X, Y;
    uint32_t Buttons;
    joystick_->Read(X, Y, Buttons);
    host_->Joystick(X, Y, Buttons);
    const TFrameResult Result = host_->Frame(Draw);
    if (Result == TFrameResult::Terminate) {
      ExitCode = 1;  // start-up failed; its message was shown
      break;
    }
    if (Result == TFrameResult::Quit) break;
    if (host_->ReplayFinished()) break;  // the played demo has ended
    if (host_->Paused()) continue;
    Draw = paced_ ? Limiter.Wait() : true;
    if (Stats && Draw) Stats->Add(Clock.Now());
  }
  if (Stats) std::fprintf(stderr, "%s\n", Stats->Report(Clock.Frequency(), Limiter.SpunTicks()).c_str());
  if (host_ && !host_->CloseRecording() && ExitCode == 0) ExitCode = 1;
  if (host_) RememberWindowSize();
  // A normal end leaves the display as it is; SDL puts it back with the window.
  DestroyRenderWindow(false);
  return ExitCode;
}
