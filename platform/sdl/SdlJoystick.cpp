#include "SdlJoystick.h"

#include <algorithm>
#include <utility>

TSdlJoystick::TSdlJoystick(SDL_Window* Window, TFocusTest HasFocus)
    : window_(Window), hasFocus_(std::move(HasFocus)) {
  if (!hasFocus_) hasFocus_ = [this] { return window_ && SDL_GetKeyboardFocus() == window_; };
  OpenFirstJoystick();
}

TSdlJoystick::~TSdlJoystick() { CloseJoystick(); }

void TSdlJoystick::OpenFirstJoystick() {
  if (joystick_ || !SDL_WasInit(SDL_INIT_JOYSTICK) || SDL_NumJoysticks() < 1) return;
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) && SDL_IsGameController(0)) {
    controller_ = SDL_GameControllerOpen(0);
    if (controller_) {
      joystick_ = SDL_GameControllerGetJoystick(controller_);
      return;
    }
  }
  joystick_ = SDL_JoystickOpen(0);
}

void TSdlJoystick::CloseJoystick() {
  if (controller_) SDL_GameControllerClose(controller_);
  else if (joystick_) SDL_JoystickClose(joystick_);
  controller_ = nullptr;
  joystick_ = nullptr;
}

void TSdlJoystick::HandleEvent(const SDL_Event& Event) {
  if (Event.type == SDL_JOYDEVICEADDED) {
    OpenFirstJoystick();
  } else if (Event.type == SDL_JOYDEVICEREMOVED && joystick_ &&
             SDL_JoystickInstanceID(joystick_) == Event.jdevice.which) {
    CloseJoystick();
    OpenFirstJoystick();  // another one may still be there
  }
}

void TSdlJoystick::Read(int16_t& X, int16_t& Y, uint32_t& Buttons) const {
  TPadState Pad;
  if (joystick_ && hasFocus_()) {
    if (controller_) ReadGameController(Pad);
    else ReadRawJoystick(Pad);
  }
  PadAsJoystick(Pad, X, Y, Buttons);
}

void TSdlJoystick::ReadRawJoystick(TPadState& Pad) const {
  Pad.X = SDL_JoystickNumAxes(joystick_) > 0 ? SDL_JoystickGetAxis(joystick_, 0) : 0;
  Pad.Y = SDL_JoystickNumAxes(joystick_) > 1 ? SDL_JoystickGetAxis(joystick_, 1) : 0;
  const int ButtonCount = std::min(SDL_JoystickNumButtons(joystick_), 32);
  for (int n = 0; n < ButtonCount; ++n)
    if (SDL_JoystickGetButton(joystick_, n)) Pad.Buttons |= uint32_t(1) << n;
}

void TSdlJoystick::ReadGameController(TPadState& Pad) const {
  auto Pressed = [this](SDL_GameControllerButton B) { return SDL_GameControllerGetButton(controller_, B) != 0; };
  Pad.Layout = true;
  Pad.X = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
  Pad.Y = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
  Pad.Left = Pressed(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  Pad.Right = Pressed(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  Pad.Up = Pressed(SDL_CONTROLLER_BUTTON_DPAD_UP);
  Pad.Down = Pressed(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  Pad.South = Pressed(SDL_CONTROLLER_BUTTON_A);
  Pad.RightTrigger = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
}

void TSdlJoystick::Rumble(int Strength, int Ms) {
  const Uint16 Power = Uint16(0xFFFF * std::clamp(Strength, 0, 100) / 100);
  // A pad that cannot rumble says so with -1: nothing to do.
  if (controller_) SDL_GameControllerRumble(controller_, Power, Power, Uint32(Ms));
  else if (joystick_) SDL_JoystickRumble(joystick_, Power, Power, Uint32(Ms));
}
