#include "SdlInput.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "KeyCodes.h"

TSdlInput::TSdlInput(SDL_Window* Window, TFocusTest HasFocus)
    : window_(Window), hasFocus_(std::move(HasFocus)) {
  if (!hasFocus_) hasFocus_ = [this] { return window_ && SDL_GetKeyboardFocus() == window_; };
  OpenFirstJoystick();
}

TSdlInput::~TSdlInput() {
  if (joystick_) SDL_JoystickClose(joystick_);
}

void TSdlInput::OpenFirstJoystick() {
  if (joystick_ || !SDL_WasInit(SDL_INIT_JOYSTICK)) return;
  if (SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
}

void TSdlInput::HandleEvent(const SDL_Event& Event) {
  if (Event.type == SDL_JOYDEVICEADDED) {
    OpenFirstJoystick();
  } else if (Event.type == SDL_JOYDEVICEREMOVED && joystick_ &&
             SDL_JoystickInstanceID(joystick_) == Event.jdevice.which) {
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    OpenFirstJoystick();  // another one may still be there
  }
}

void TSdlInput::Update() {
  states_ = 0;
  // Both devices report nothing unless the game window is in front.
  if (!hasFocus_()) return;
  states_ = KeyboardStates() | JoystickStates();
}

TInputStates TSdlInput::KeyboardStates() {
  int Count = 0;
  const Uint8* Scancodes = SDL_GetKeyboardState(&Count);
  std::memset(down_, 0, sizeof(down_));
  for (int Sc = 0; Sc < Count; ++Sc) {
    if (!Scancodes[Sc]) continue;
    const uint16_t Vk = VirtualKeyFromSdl(SDL_GetKeyFromScancode(SDL_Scancode(Sc)));
    if (Vk != 0 && Vk < 256) down_[Vk] = 1;
  }
  return StatesFromKeys(down_, DefaultKeyAssignments());
}

TInputStates TSdlInput::JoystickStates() const {
  if (!joystick_) return 0;
  const int16_t X = SDL_JoystickNumAxes(joystick_) > 0 ? SDL_JoystickGetAxis(joystick_, 0) : 0;
  const int16_t Y = SDL_JoystickNumAxes(joystick_) > 1 ? SDL_JoystickGetAxis(joystick_, 1) : 0;
  const int ButtonCount = std::min(SDL_JoystickNumButtons(joystick_), 32);
  uint32_t Buttons = 0;
  for (int n = 0; n < ButtonCount; ++n)
    if (SDL_JoystickGetButton(joystick_, n)) Buttons |= uint32_t(1) << n;
  return StatesFromJoystick(X, Y, Buttons);
}
