#include "WebShell.h"

#include <emscripten.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "ScriptFormat.h"

#include "SoundClips.h"
#include "WebContext.h"
#include "PlayerFiles.h"
#include "WebGamepad.h"
#include "WebStorageBackend.h"

namespace {

const char* const StoppedText = "The game stopped. Reload the page to try again.";

std::array<TClipData, WaveItemCount> GameClips() {
  std::array<TClipData, WaveItemCount> C{};
  for (int i = 0; i < WaveItemCount; ++i) C[i] = {GetSoundClip(i).Data, GetSoundClip(i).Size};
  return C;
}

}  // namespace

TWebShell* StartPageShell() {
  static TWebShell* Shell = nullptr;
  if (Shell) return Shell;
  auto New = std::make_unique<TWebShell>(GameClips());
  if (!New->Start()) {
    ShowPageStatus(StoppedText);
    return nullptr;
  }
  Shell = New.release();  // lives as long as the page
  return Shell;
}

namespace {

// The demo of the game the page was opened to watch (?watch=ID), fetched by
// the page before the game started; null when there is none. Freed by the caller.
EM_JS(char*, WatchedDemoText, (), {
  return typeof window.SkyrendWatch === 'string' ? allocateUTF8(window.SkyrendWatch) : 0;
});

}  // namespace

void TWebShell::WatchDemo() {
  char* Text = WatchedDemoText();
  if (!Text) return;
  const std::string Demo = Text;
  std::free(Text);
  try {
    host_->Replay(ParseDemo(Demo));
  } catch (const std::exception& e) {
    messages_->ShowMessage(std::string("This game cannot be watched: ") + e.what());
  }
}

TWebShell::TWebShell(const std::array<TClipData, WaveItemCount>& Clips)
    : clips_(Clips), store_(std::make_unique<TWebStorageBackend>()) {}

TWebShell::~TWebShell() {
  // The form goes while the context is still current: its models own GL textures.
  host_.reset();
}

bool TWebShell::Start() {
  int Width = 1024, Height = 768;
  CanvasSize(Width, Height);
  if (!CreatePageContext(Width, Height)) return false;
  sound_ = std::make_unique<TWebSound>(clips_);
  messages_ = std::make_unique<TWebMessages>(PageCaption);
  THostPlatform Platform;
  Platform.WallClock = &wall_;
  Platform.Sound = sound_.get();
  Platform.Messages = messages_.get();
  Platform.Cursor = &cursor_;
  Platform.Shell = this;
  Platform.ProgramFolder = "/skyrend";  // the packaged data
  Platform.Width = Width;
  Platform.Height = Height;
  Platform.EscapeQuits = false;  // the browser takes Escape to free the pointer; a page has nothing to quit to
  // A browser that asks for reduced motion gets reduced flashing until the player sets it.
  TSettings Defaults;
  Defaults.ReduceFlashing = EM_ASM_INT({
    return window.matchMedia && matchMedia('(prefers-reduced-motion: reduce)').matches ? 1 : 0;
  }) != 0;
  // A page the score board serves sends to its own site unless the player names another.
  Defaults.Board = TWebBoardTransport::OwnBoard();
  store_.SetPlatformDefaults(Defaults, {"reduce_flashing", "board"});
  Platform.Settings = store_.LoadSettings();
  Platform.Scores = store_.LoadScores();
  Platform.Store = &store_;
  Platform.Board = &board_;
  Platform.Today = LocalDate;
  sound_->SetVolume(Platform.Settings.Volume, Platform.Settings.Muted);
  Platform.HostScreens = true;
  Platform.RecordGames = true;
  Platform.WindowSettings = false;  // the page's canvas has no window of its own
  host_ = std::make_unique<TGameHost>(Platform);
  host_->Resize(Width, Height);
  WatchDemo();
  width_ = Width;
  height_ = Height;
  running_ = true;
  ListenToPage();
  emscripten_set_window_title(PageTitle);
  ShowPageStatus(PlayingLine());
  // One call per display frame; the frame schedule decides how many steps each takes.
  emscripten_set_main_loop_arg([](void* Shell) { static_cast<TWebShell*>(Shell)->DisplayFrame(emscripten_get_now()); },
                               this, 0, 0);
  return true;
}

void TWebShell::Stop() {
  running_ = false;
  emscripten_cancel_main_loop();
  emscripten_exit_pointerlock();
  host_.reset();
  sound_.reset();
  ShowPageStatus(StoppedText);
}

void TWebShell::FollowCanvasSize() {
  int Width = width_, Height = height_;
  CanvasSize(Width, Height);
  if (Width == width_ && Height == height_) return;
  width_ = Width;
  height_ = Height;
  host_->Resize(Width, Height);
  FollowTouchControls();
  pausedDirty_ = true;  // a resized canvas is cleared
}

void TWebShell::StepFrame(bool Draw) {
  int16_t X, Y;
  uint32_t Buttons;
  ReadFirstPad(X, Y, Buttons);
  ReadTouch(X, Y, Buttons);
  host_->Joystick(X, Y, Buttons);
  // Escape pauses here, so a frame never asks to quit; only a failed start-up ends the game.
  // A lost context holds the game paused (WebShellContext.cpp): nothing steps unseen.
  if (host_->Frame(Draw && !contextLost_) == TFrameResult::Terminate) Stop();
  if (Draw && !contextLost_) ++pictures_;
  if (running_ && Draw && !shownFirst_ && !contextLost_) {
    shownFirst_ = true;
    MarkFirstPicture();
  }
}

void TWebShell::DisplayFrame(double Now) {
  if (!running_) return;
  FollowCanvasSize();
  TouchPause();
  TouchTap();
  PagePause();
  TakePlayerName();
  if (host_->Paused()) {
    schedule_.Restart();
  } else {
    // A machine that shows fewer pictures still plays 60 steps a second.
    const int Due = schedule_.TakeDue(uint64_t(Now * 1000));
    for (int i = 1; i <= Due && running_ && !host_->Paused(); ++i) StepFrame(i == Due);
  }
  if (!running_) return;
  sound_->Pump(Now);  // with this frame's cues
  DrawPausedIfNeeded();
  if (Now - lastTitle_ >= 1000) {
    lastTitle_ = Now;
    FollowTouchControls();  // shown or hidden as pads come and go
    // The tab's title stays the game's name; the frame rate is for those who look.
    const int Frames = host_->FrameCount;
    host_->TimerTitle();
    ShowFrameRate(host_->Paused() ? 0 : Frames, host_->FrameNumber() - 1, pictures_, host_->GameTicks(),
                  long(schedule_.GivenUp() / 1000));
  }
}
