// Joystick 1 on SDL, read only while the game window has input focus. It is
// the first device SDL reports, opened when it appears (also after start-up)
// and closed when it goes. A pad SDL knows as a game controller (Xbox,
// PlayStation, Switch layouts) is read by its layout: the left stick and the
// d-pad are the two axes, the south face button and the right trigger are
// button 1. Any other joystick is read raw: its first two axes and its buttons
// in order (the one pad rule, services/PadRule.h). The shell hands what it
// reads to the host's input stream.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <functional>

#include "PadRule.h"

class TSdlJoystick {
 public:
  // True while the game window is the one in front (has the keyboard focus).
  using TFocusTest = std::function<bool()>;

  // Window is the game window the focus test refers to; HasFocus replaces
  // that test where a test must control it. The first joystick present is
  // opened now (when the joystick subsystem is up).
  explicit TSdlJoystick(SDL_Window* Window, TFocusTest HasFocus = nullptr);
  ~TSdlJoystick();
  TSdlJoystick(const TSdlJoystick&) = delete;
  TSdlJoystick& operator=(const TSdlJoystick&) = delete;

  // Hot-plug: opens joystick 1 when one appears, closes it when it goes.
  void HandleEvent(const SDL_Event& Event);
  bool HasJoystick() const { return joystick_ != nullptr; }
  bool HasGameController() const { return controller_ != nullptr; }

  // Joystick 1 as the raw axes (-32768..32767) and button bits (bit 0 for
  // button 1) the input rules take; all 0 without a joystick or the focus.
  void Read(int16_t& X, int16_t& Y, uint32_t& Buttons) const;
  // Rumbles joystick 1 where it can, Strength 0..100 for Ms milliseconds.
  void Rumble(int Strength, int Ms);

 private:
  void OpenFirstJoystick();
  void CloseJoystick();
  void ReadRawJoystick(TPadState& Pad) const;
  void ReadGameController(TPadState& Pad) const;

  SDL_Window* window_;
  TFocusTest hasFocus_;
  SDL_Joystick* joystick_ = nullptr;
  SDL_GameController* controller_ = nullptr;  // owns joystick_ when set
};
