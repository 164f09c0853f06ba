// The game's command line: the options it knows, the usage text (the one
// place it is written; the build makes the man page from it too) and the
// version.
#pragma once
#include <optional>
#include <string>
#include <vector>

extern const char* const UsageText;
extern const char* const VersionText;  // "skyrend 1.0.0"

// --multisampling auto: none on a software renderer, where it costs more than
// the whole frame, 4 on a graphics card.
constexpr int MultisamplingAuto = -1;

// "auto", "off", "2", "4" or "8" as samples a pixel (auto as MultisamplingAuto); false for anything else.
bool ParseMultisampling(const std::string& Text, int& Samples);

// Settings given on the command line: they override the saved ones for one
// run and are never saved.
struct TSettingsOverrides {
  std::optional<int> Volume;  // 0..100
  std::optional<double> MouseSpeed;  // 0.25..4
  std::optional<bool> InvertMouse, ReduceFlashing, Vsync, FullScreen;
  std::optional<int> Multisampling;
};

struct TCommandLine {
  enum class TAction { Play, Help, Version, Error };
  enum class TDemo { None, Record, Play };

  TAction Action = TAction::Play;
  bool FullScreen = true;
  // Samples a pixel asked of the window: MultisamplingAuto chooses by the renderer.
  int Multisampling = MultisamplingAuto;
  // Every setting the command line names (FullScreen and Multisampling above too).
  TSettingsOverrides Overrides;
  TDemo Demo = TDemo::None;
  std::string DemoPath;
  // Unknown options: the game starts all the same, and says so on stderr.
  std::vector<std::string> Warnings;
  // Why the command line cannot be used (Action is Error).
  std::string Error;
};

// Args without the program name. Options may come in any order; the last of
// --window and --fullscreen (and of a repeated option) wins; -h, --help and --version win over the rest.
TCommandLine ParseCommandLine(const std::vector<std::string>& Args);
