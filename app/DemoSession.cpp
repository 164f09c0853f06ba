#include "DemoSession.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "KeyCodes.h"
#include "SdlInput.h"
#include "Services.h"
#include "frmMainGL.h"

namespace {

constexpr uint16_t VkEscape = 27;
constexpr uint32_t DemoMsPerFrame = 16;

}  // namespace

TDemoSession::TDemoSession(TMode Mode, const std::string& Path) : mode_(Mode), path_(Path) {
  if (Mode == TMode::Play) {
    driver_ = std::make_unique<TReplayDriver>(ReadScriptFile(Path), DemoMsPerFrame);
  } else {
    out_.open(Path, std::ios::binary | std::ios::trunc);
    // Opened before the window and the first frame, so a bad path costs no game.
    if (!out_) throw std::runtime_error(std::string("cannot create the demo file: ") + std::strerror(errno));
  }
}

TDemoSession::~TDemoSession() { Close(); }

void TDemoSession::Attach(TServices& Services, ICursorService* WindowCursor, int Width, int Height) {
  cursor_ = std::make_unique<TScriptCursor>(Width, Height, WindowCursor);
  // The recording's clock is the shell's game clock, which stands still
  // while the game is paused: a pause leaves no gap in the demo.
  gameClock_ = Services.Ticks;
  Services.Ticks = &clock_;
  Services.Input = &input_;
  Services.Cursor = cursor_.get();
  start_ = GameTicks();
  if (mode_ == TMode::Record)
    out_ << DemoHeaderLine(Width, Height) << "\n";
}

void TDemoSession::SetForm(TFormMain& Form) {
  form_ = &Form;
  if (mode_ == TMode::Record) recorder_ = std::make_unique<TScriptRecorder>(out_, Form, input_, *cursor_, clock_);
}

bool TDemoSession::HandleEvent(const SDL_Event& Event, uint8_t (&Keys)[256]) {
  const bool Key = Event.type == SDL_KEYDOWN || Event.type == SDL_KEYUP;
  const bool Mouse = Event.type == SDL_MOUSEMOTION || Event.type == SDL_MOUSEBUTTONDOWN ||
                     Event.type == SDL_MOUSEBUTTONUP;
  if (!form_ || (!Key && !Mouse)) return false;
  const uint16_t Vk = Key ? VirtualKeyFromSdl(Event.key.keysym.sym) : 0;
  const bool Down = Event.type == SDL_KEYDOWN;
  if (mode_ == TMode::Play) {
    // Only Escape still works: it ends the playback after the frame.
    if (Vk == VkEscape) Keys[VkEscape] = Down ? 1 : 0;
    return true;
  }
  if (Down && !IsSystemKey(Event.key.keysym.sym, Event.key.keysym.mod) && Vk != 0) {
    recorder_->KeyDown(Vk);
    Keys[Vk] = 1;
  } else if (Event.type == SDL_KEYUP && Vk != 0) {
    recorder_->KeyUp(Vk);
    Keys[Vk] = 0;
  } else if (Event.type == SDL_MOUSEMOTION) {
    uint32_t Shift = 0;
    if (Event.motion.state & SDL_BUTTON_LMASK) Shift |= ssLeft;
    if (Event.motion.state & SDL_BUTTON_RMASK) Shift |= ssRight;
    recorder_->MouseMove(Event.motion.xrel, Event.motion.yrel, Shift);
  } else if (Event.type == SDL_MOUSEBUTTONUP && Event.button.button == SDL_BUTTON_LEFT) {
    recorder_->Click();
  }
  return true;
}

void TDemoSession::BeginFrame(const TSdlInput& Input) {
  if (!form_) return;
  ++frame_;
  if (mode_ == TMode::Play) {
    driver_->BeginFrame(frame_, *form_, input_, *cursor_, clock_);
    return;
  }
  int16_t X, Y;
  uint32_t Buttons;
  Input.ReadJoystick(X, Y, Buttons);
  recorder_->Joystick(X, Y, Buttons);
  recorder_->BeginFrame(GameTicks() - start_);
}

uint32_t TDemoSession::GameTicks() const { return gameClock_ ? gameClock_->GetTickCount() : SDL_GetTicks(); }

bool TDemoSession::Finished() const { return mode_ == TMode::Play && frame_ >= driver_->LastFrame(); }

bool TDemoSession::Close() {
  if (mode_ != TMode::Record || !out_.is_open()) return true;
  out_.close();
  if (out_.fail()) {
    std::fprintf(stderr, "skyrend: %s: the demo could not be written\n", path_.c_str());
    return false;
  }
  return true;
}
