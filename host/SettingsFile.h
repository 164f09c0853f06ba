// The settings file: `key = value` lines, `#` comments, blank lines. Keys:
// volume (0-100), muted, mouse_speed (0.25-4), invert_mouse, reduce_flashing,
// multisampling (auto, off, 2, 4, 8), vsync, fullscreen, window_size (WxH), show_fps,
// share_scores, player_name (1-16 letters, digits, spaces, -_.), board (an
// http:// or https:// address).
// Switches read yes/no, on/off, true/false or 1/0 and are written yes/no.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Settings.h"

// Why Name cannot be a player name or Url a board; empty when it can.
std::string PlayerNameFault(const std::string& Name);
std::string BoardFault(const std::string& Url);

constexpr double MinMouseSpeed = 0.25, MaxMouseSpeed = 4.0;
constexpr int MinWindowWidth = 640, MinWindowHeight = 480;  // and at most MaxViewSide (SizeText.h)

// The settings in Text, each bad line or value named in Warnings as
// "Name:line: what was wrong" with its default used instead: the first
// MaxWarnings of them, then one "Name: and N more". Defaults are the values
// of keys the text lacks (the platform may choose some, as a browser that asks
// for reduced motion turns reduce_flashing on).
TSettings ParseSettings(const std::string& Text, const std::string& Name, std::vector<std::string>& Warnings,
                        size_t MaxWarnings = SIZE_MAX, const TSettings& Defaults = TSettings{});

// The file's new text: OldText with the value of every known key replaced
// in place (comments, blank lines and lines of keys it does not know stay as
// they were), and keys it lacked added at the end. From an empty OldText, a
// whole file with a heading. A lacking key of PlatformKeys (keys whose
// default the platform chooses, as reduce_flashing in a browser) still at
// its value in Defaults is not added: it follows the platform until the
// player sets it.
std::string FormatSettings(const TSettings& Settings, const std::string& OldText = "",
                           const TSettings& Defaults = TSettings{}, const std::vector<std::string>& PlatformKeys = {});
