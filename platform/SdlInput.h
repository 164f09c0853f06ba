// The input component on SDL: the keyboard snapshot through the assignment
// table and joystick 1, reported only while the game window has input focus.
#pragma once
#include <SDL.h>

#include <functional>

#include "InputMapping.h"
#include "Services.h"

class TSdlInput : public IInputDevice {
 public:
  // True while the game window is the one in front (has the keyboard focus).
  using TFocusTest = std::function<bool()>;

  // Window is the game window the foreground test refers to; HasFocus replaces
  // that test where a test must control it. The first joystick present is
  // opened now (when the joystick subsystem is up).
  explicit TSdlInput(SDL_Window* Window, TFocusTest HasFocus = nullptr);
  ~TSdlInput() override;
  TSdlInput(const TSdlInput&) = delete;
  TSdlInput& operator=(const TSdlInput&) = delete;

  void Update() override;
  TInputStates States() const override { return states_; }

  // Joystick hot-plug: opens joystick 1 when one appears, closes it when it goes.
  void HandleEvent(const SDL_Event& Event);
  bool HasJoystick() const { return joystick_ != nullptr; }

 private:
  void OpenFirstJoystick();
  TInputStates KeyboardStates();
  TInputStates JoystickStates() const;

  SDL_Window* window_;
  TFocusTest hasFocus_;
  SDL_Joystick* joystick_ = nullptr;
  TInputStates states_ = 0;
  uint8_t down_[256] = {};
};
