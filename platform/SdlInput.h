// The input component on SDL: the keyboard snapshot through the assignment
// table and joystick 1, reported only while the game window has input focus.
// Joystick 1 is the first device SDL reports. A pad SDL knows as a game
// controller (Xbox, PlayStation, Switch layouts) is read by its layout: the
// left stick and the d-pad are the two axes, the south face button and the
// right trigger are button 1. Any other joystick is read raw: its first two
// axes and its buttons in order.
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
  bool HasGameController() const { return controller_ != nullptr; }

  // Joystick 1 as the raw axes (-32768..32767) and button bits (bit 0 for
  // button 1) the input rules take; all 0 without a joystick or the focus.
  void ReadJoystick(int16_t& X, int16_t& Y, uint32_t& Buttons) const;

 private:
  void OpenFirstJoystick();
  void CloseJoystick();
  void ReadGameController(int16_t& X, int16_t& Y, uint32_t& Buttons) const;
  TInputStates KeyboardStates();
  TInputStates JoystickStates() const;

  SDL_Window* window_;
  TFocusTest hasFocus_;
  SDL_Joystick* joystick_ = nullptr;
  SDL_GameController* controller_ = nullptr;  // owns joystick_ when set
  TInputStates states_ = 0;
  uint8_t down_[256] = {};
};
