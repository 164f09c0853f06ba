#include "WebShell.h"

#include <emscripten.h>
#include <emscripten/html5_webgl.h>

#include "ScriptInput.h"
#include "WebKeyCodes.h"
#include "FormAdapter.h"
#include "frmMainGL.h"

namespace {

const char* const GameCaption = "Skyrend";

}  // namespace

bool CreatePageContext(int Width, int Height) {
  emscripten_set_canvas_element_size("#canvas", Width, Height);
  EmscriptenWebGLContextAttributes Attributes;
  emscripten_webgl_init_context_attributes(&Attributes);
  Attributes.majorVersion = 2;
  Attributes.minorVersion = 0;
  // No alpha: the picture is opaque like a window's, whatever alpha the game draws.
  Attributes.alpha = EM_FALSE;
  Attributes.depth = EM_TRUE;
  Attributes.stencil = EM_FALSE;
  Attributes.antialias = EM_FALSE;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE Context = emscripten_webgl_create_context("#canvas", &Attributes);
  if (Context <= 0 || emscripten_webgl_make_context_current(Context) != EMSCRIPTEN_RESULT_SUCCESS) {
    ShowPageMessage(GameCaption, "Unable to create a WebGL 2 rendering context");
    return false;
  }
  return true;
}

void CanvasSize(int& Width, int& Height) { emscripten_get_canvas_element_size("#canvas", &Width, &Height); }

TWebShell::TWebShell(const std::array<TClipData, WaveItemCount>& Clips) : clips_(Clips) {}

TWebShell::~TWebShell() {
  if (form_) form_->FormDestroy();
}

bool TWebShell::Start() {
  int Width = 1024, Height = 768;
  CanvasSize(Width, Height);
  if (!CreatePageContext(Width, Height)) return false;
  sound_ = std::make_unique<TWebSound>(clips_);
  messages_ = std::make_unique<TWebMessages>(GameCaption);
  cursor_ = std::make_unique<TWebCursor>(Width, Height);
  TServices Services;
  Services.Ticks = &ticks_;
  Services.Input = &input_;
  Services.Sound = sound_.get();
  Services.Messages = messages_.get();
  Services.Cursor = cursor_.get();
  Services.ProgramFolder = "/skyrend";  // the packaged data
  Services.ScreenWidth = Width;
  Services.ScreenHeight = Height;
  form_ = std::make_unique<TFormMain>(Services);
  adapter_ = std::make_unique<TFormAdapter>(*form_);
  shell_ = std::make_unique<TShell>(*adapter_);
  shell_->Resize(Width, Height);
  running_ = true;
  return true;
}

void TWebShell::Stop(const char* Why) {
  running_ = false;
  emscripten_cancel_main_loop();
  emscripten_exit_pointerlock();
  if (form_) {
    form_->FormDestroy();
    form_.reset();
  }
  sound_.reset();
  EM_ASM({ if (window.SkyrendEnded) window.SkyrendEnded(UTF8ToString($0)); }, Why);
}

bool TWebShell::PointerLocked() const {
  EmscriptenPointerlockChangeEvent Status;
  return emscripten_get_pointerlock_status(&Status) == EMSCRIPTEN_RESULT_SUCCESS && Status.isActive;
}

void TWebShell::DisplayFrame(double Now) {
  if (!running_ || !pacer_.Due(Now)) return;
  DeliverFrameMouse(*form_, cursor_->Pointer());  // the frame's motion as one mouse move
  const TFrameResult Result = shell_->Frame([] {});
  if (Result == TFrameResult::Terminate) return Stop("failed");
  if (Result == TFrameResult::Quit) return Stop("quit");
  if (Now - lastTitle_ >= 1000) {
    lastTitle_ = Now;
    emscripten_set_window_title(shell_->TimerTitle().c_str());
  }
}

bool TWebShell::KeyDown(const EmscriptenKeyboardEvent& Event) {
  if (!running_ || IsSystemDomKey(Event.code, Event.altKey)) return false;
  const uint16_t Vk = VirtualKeyFromDomCode(Event.code);
  if (Vk == 0) return false;
  shell_->KeyDown(Vk);
  input_.Hold(Vk, true);
  return true;  // the page must not scroll on arrows and Space
}

bool TWebShell::KeyUp(const EmscriptenKeyboardEvent& Event) {
  if (!running_) return false;
  const uint16_t Vk = VirtualKeyFromDomCode(Event.code);
  if (Vk == 0) return false;
  shell_->KeyUp(Vk);
  input_.Hold(Vk, false);
  return true;
}

void TWebShell::MouseMove(const EmscriptenMouseEvent& Event) {
  if (!running_ || !PointerLocked()) return;
  const uint32_t Buttons = ((Event.buttons & 1) ? ssLeft : 0) | ((Event.buttons & 2) ? ssRight : 0);
  cursor_->Pointer().Move(int(Event.movementX), int(Event.movementY), Buttons);
}

void TWebShell::MouseDown(const EmscriptenMouseEvent&) {
  // The first click only takes the pointer; later ones play.
  if (running_ && !PointerLocked()) emscripten_request_pointerlock("#canvas", EM_TRUE);
}

void TWebShell::MouseUp(const EmscriptenMouseEvent& Event) {
  if (running_ && PointerLocked() && Event.button == 0) adapter_->FormClick();
}

const char* TWebShell::Caption() const { return form_ ? form_->Caption.c_str() : ""; }

void TWebShell::LostFocus() {
  input_.ReleaseAll();
  if (!shell_) return;
  for (int Vk = 1; Vk < 256; ++Vk)
    if (shell_->Keys[Vk]) shell_->KeyUp(uint16_t(Vk));
}
