// The options on the pause screen: the player's settings as a list, one of
// them chosen. Up and Down choose, Left and Right change the chosen one (a
// click or a tap does the same); the host hands it the keys and presses made
// while paused and applies what changed. The
// settings a running window cannot take (multisampling, and how the window
// opens) are marked to come after a restart. No GL and no SDL here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Settings.h"

enum class TOption {
  Volume, Muted, MouseSpeed, InvertMouse, ReduceFlashing, ShareScores, Multisampling, Vsync, FullScreen, WindowSize,
  ShowFps
};

class TOptionsMenu {
 public:
  // WindowSettings lists multisampling, vsync, full screen, the window's size
  // and the frame rate in its title: a desktop window has them, a page does not. Started is what this
  // run opened with, so a change that waits for a restart can say so.
  TOptionsMenu(bool WindowSettings, const TSettings& Started);

  int Count() const { return int(items_.size()); }
  TOption Item(int Index) const { return items_[size_t(Index)]; }
  int Selected() const { return selected_; }
  // A key pressed while paused (virtual-key code; auto-repeats included).
  // True when it changed Settings.
  bool KeyDown(uint16_t Vk, TSettings& Settings);
  // A click or tap: chooses the option at Index (none outside the list), and
  // steps the chosen one's value by Direction (+1 or -1, as Right and Left do).
  void Choose(int Index);
  bool Step(int Direction, TSettings& Settings);

  // What the list shows: "Volume", and the value as "80", "On", "1.5",
  // "1024 x 768"...
  static const char* Label(TOption Option);
  static std::string Value(TOption Option, const TSettings& Settings);
  // The option's value differs from the run's and takes effect only at the next start.
  bool WaitsForRestart(TOption Option, const TSettings& Settings) const;

 private:
  std::vector<TOption> items_;
  TSettings started_;
  int selected_ = 0;
};

// The keys of the game, as pairs of key and what it does, for the pause
// screen; Desktop adds the keys only the desktop program has.
std::vector<std::pair<const char*, const char*>> GameKeys(bool Desktop);
