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
  X = Y = 0;
  Buttons = 0;
  if (!joystick_ || !hasFocus_()) return;
  if (controller_) {
    ReadGameController(X, Y, Buttons);
    return;
  }
  X = SDL_JoystickNumAxes(joystick_) > 0 ? SDL_JoystickGetAxis(joystick_, 0) : 0;
  Y = SDL_JoystickNumAxes(joystick_) > 1 ? SDL_JoystickGetAxis(joystick_, 1) : 0;
  const int ButtonCount = std::min(SDL_JoystickNumButtons(joystick_), 32);
  for (int n = 0; n < ButtonCount; ++n)
    if (SDL_JoystickGetButton(joystick_, n)) Buttons |= uint32_t(1) << n;
}

void TSdlJoystick::ReadGameController(int16_t& X, int16_t& Y, uint32_t& Buttons) const {
  auto Pressed = [this](SDL_GameControllerButton B) { return SDL_GameControllerGetButton(controller_, B) != 0; };
  X = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
  Y = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
  // The d-pad pushes an axis to its end, over whatever the stick says.
  if (Pressed(SDL_CONTROLLER_BUTTON_DPAD_LEFT)) X = -32768;
  if (Pressed(SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) X = 32767;
  if (Pressed(SDL_CONTROLLER_BUTTON_DPAD_UP)) Y = -32768;
  if (Pressed(SDL_CONTROLLER_BUTTON_DPAD_DOWN)) Y = 32767;
  // The trigger runs 0..32767: past half way it fires.
  const bool Trigger = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > 16384;
  if (Pressed(SDL_CONTROLLER_BUTTON_A) || Trigger) Buttons = 1;
}

void TSdlJoystick::Rumble(int Strength, int Ms) {
  const Uint16 Power = Uint16(0xFFFF * std::clamp(Strength, 0, 100) / 100);
  // A pad that cannot rumble says so with -1: nothing to do.
  if (controller_) SDL_GameControllerRumble(controller_, Power, Power, Uint32(Ms));
  else if (joystick_) SDL_JoystickRumble(joystick_, Power, Power, Uint32(Ms));
}
