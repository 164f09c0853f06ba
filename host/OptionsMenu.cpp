#include "OptionsMenu.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

constexpr uint16_t VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40;

const double MouseSpeeds[] = {0.25, 0.5, 0.75, 1, 1.25, 1.5, 1.75, 2, 2.5, 3, 3.5, 4};
const int SampleCounts[] = {MultisamplingAuto, 0, 2, 4, 8};
// By area, smallest first: Right takes the next larger, Left the next smaller.
const int WindowSizes[][2] = {{800, 600},  {1024, 768}, {1280, 720}, {1366, 768},
                              {1280, 960}, {1600, 900}, {1920, 1080}};

// The next step of an ordered list in Direction from Value, which may lie
// between steps (a value from the settings file): the nearest step that way.
template <typename T, size_t N>
T StepIn(const T (&Steps)[N], T Value, int Direction) {
  if (Direction > 0) {
    for (const T& S : Steps)
      if (S > Value) return S;
    return Steps[N - 1] > Value ? Steps[N - 1] : Value;
  }
  for (size_t i = N; i-- > 0;)
    if (Steps[i] < Value) return Steps[i];
  return Steps[0] < Value ? Steps[0] : Value;
}

}  // namespace

TOptionsMenu::TOptionsMenu(bool WindowSettings, const TSettings& Started) : started_(Started) {
  items_ = {TOption::Volume,      TOption::Muted,          TOption::MouseSpeed,
            TOption::InvertMouse, TOption::ReduceFlashing, TOption::ShareScores};
  if (WindowSettings)
    items_.insert(items_.end(),
                  {TOption::Multisampling, TOption::Vsync, TOption::FullScreen, TOption::WindowSize, TOption::ShowFps});
}

bool TOptionsMenu::KeyDown(uint16_t Vk, TSettings& S) {
  if (Vk == VkUp || Vk == VkDown) {
    // The choice goes round: up from the first is the last.
    selected_ = (selected_ + (Vk == VkDown ? 1 : Count() - 1)) % Count();
    return false;
  }
  if (Vk != VkLeft && Vk != VkRight) return false;
  return Step(Vk == VkRight ? 1 : -1, S);
}

void TOptionsMenu::Choose(int Index) {
  if (Index >= 0 && Index < Count()) selected_ = Index;
}

bool TOptionsMenu::Step(int Dir, TSettings& S) {
  const TSettings Before = S;
  switch (Item(selected_)) {
    case TOption::Volume:
      // Steps of ten; a value between steps goes to the step that way.
      S.Volume = std::clamp(Dir > 0 ? (S.Volume / 10 + 1) * 10 : (S.Volume + 9) / 10 * 10 - 10, 0, 100);
      break;
    case TOption::Muted:
      S.Muted = !S.Muted;
      break;
    case TOption::MouseSpeed:
      S.MouseSpeed = StepIn(MouseSpeeds, S.MouseSpeed, Dir);
      break;
    case TOption::InvertMouse:
      S.InvertMouse = !S.InvertMouse;
      break;
    case TOption::ReduceFlashing:
      S.ReduceFlashing = !S.ReduceFlashing;
      break;
    case TOption::ShareScores:
      S.ShareScores = !S.ShareScores;
      break;
    case TOption::Multisampling: {
      // In the order shown (auto, off, 2, 4, 8), not by value.
      const auto At = std::find(std::begin(SampleCounts), std::end(SampleCounts), S.Multisampling);
      const int Index = At == std::end(SampleCounts) ? 0 : int(At - std::begin(SampleCounts));
      S.Multisampling = SampleCounts[std::clamp(Index + Dir, 0, int(std::size(SampleCounts)) - 1)];
      break;
    }
    case TOption::Vsync:
      S.Vsync = !S.Vsync;
      break;
    case TOption::FullScreen:
      S.FullScreen = !S.FullScreen;
      break;
    case TOption::ShowFps:
      S.ShowFps = !S.ShowFps;
      break;
    case TOption::WindowSize: {
      const long Area = long(S.WindowWidth) * S.WindowHeight;
      int Index = -1;
      for (int i = 0; i < int(std::size(WindowSizes)); ++i) {
        const long A = long(WindowSizes[i][0]) * WindowSizes[i][1];
        if (Dir > 0 ? A > Area : A < Area) {
          Index = i;
          if (Dir > 0) break;
        }
      }
      if (Index >= 0) {
        S.WindowWidth = WindowSizes[Index][0];
        S.WindowHeight = WindowSizes[Index][1];
      }
      break;
    }
  }
  return S != Before;
}

const char* TOptionsMenu::Label(TOption Option) {
  switch (Option) {
    case TOption::Volume: return "Volume";
    case TOption::Muted: return "Sound muted";
    case TOption::MouseSpeed: return "Mouse speed";
    case TOption::InvertMouse: return "Invert mouse";
    case TOption::ReduceFlashing: return "Reduce flashing";
    case TOption::ShareScores: return "Share scores";
    case TOption::Multisampling: return "Multisampling";
    case TOption::Vsync: return "Vertical sync";
    case TOption::FullScreen: return "Full screen";
    case TOption::WindowSize: return "Window size";
    case TOption::ShowFps: return "Frame rate in title";
  }
  return "";
}

std::string TOptionsMenu::Value(TOption Option, const TSettings& S) {
  auto OnOff = [](bool On) { return std::string(On ? "On" : "Off"); };
  char Text[32];
  switch (Option) {
    case TOption::Volume: return std::to_string(S.Volume);
    case TOption::Muted: return OnOff(S.Muted);
    case TOption::MouseSpeed:
      std::snprintf(Text, sizeof Text, "%.2f", S.MouseSpeed);
      return Text;
    case TOption::InvertMouse: return OnOff(S.InvertMouse);
    case TOption::ReduceFlashing: return OnOff(S.ReduceFlashing);
    case TOption::ShareScores: return OnOff(S.ShareScores);
    case TOption::Multisampling:
      if (S.Multisampling == MultisamplingAuto) return "Auto";
      return S.Multisampling == 0 ? "Off" : std::to_string(S.Multisampling) + "x";
    case TOption::Vsync: return OnOff(S.Vsync);
    case TOption::FullScreen: return OnOff(S.FullScreen);
    case TOption::ShowFps: return OnOff(S.ShowFps);
    case TOption::WindowSize: return std::to_string(S.WindowWidth) + " x " + std::to_string(S.WindowHeight);
  }
  return "";
}

bool TOptionsMenu::WaitsForRestart(TOption Option, const TSettings& S) const {
  switch (Option) {
    case TOption::Multisampling: return S.Multisampling != started_.Multisampling;
    case TOption::WindowSize: return S.WindowWidth != started_.WindowWidth || S.WindowHeight != started_.WindowHeight;
    default: return false;
  }
}

std::vector<std::pair<const char*, const char*>> GameKeys(bool Desktop) {
  std::vector<std::pair<const char*, const char*>> Keys = {
      {"Left / Right", "Turn"},
      {"Up / Down", "Faster / slower"},
      {"Z, Space", "Fire"},
      {"Mouse", "Turn; left button fires"},
      {"Right button", "Hold and move: speed"},
      {"F", "Flat / smooth shading"},
      {"N / B", "Radar brighter / dimmer"},
      {"M", "Mute"},
      {"P", "Pause, play on"},
  };
  if (Desktop) {
    Keys.push_back({"F11, Alt+Enter", "Window / full screen"});
    Keys.push_back({"F12", "Save the picture"});
    Keys.push_back({"Esc", "Pause; again: quit"});
  } else {
    Keys.push_back({"Esc", "Pause"});
  }
  return Keys;
}
