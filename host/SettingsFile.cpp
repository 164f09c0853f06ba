#include "SettingsFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

#include "QuoteWord.h"
#include "SizeText.h"
#include "TextNumber.h"

namespace {

const char* const Keys[] = {"volume", "muted", "mouse_speed", "invert_mouse", "reduce_flashing",
                            "multisampling", "vsync", "fullscreen", "window_size", "show_fps", "share_scores", "player_name", "board"};

std::string Trim(const std::string& S) {
  const size_t B = S.find_first_not_of(" \t\r");
  if (B == std::string::npos) return "";
  return S.substr(B, S.find_last_not_of(" \t\r") - B + 1);
}

std::string Lower(std::string S) {
  for (char& C : S) C = char(std::tolower(static_cast<unsigned char>(C)));
  return S;
}

bool ParseSwitch(const std::string& Value, bool& On) {
  const std::string V = Lower(Value);
  if (V == "yes" || V == "on" || V == "true" || V == "1") On = true;
  else if (V == "no" || V == "off" || V == "false" || V == "0") On = false;
  else return false;
  return true;
}

bool ParseWindowSize(const std::string& Value, int& Width, int& Height) {
  int W, H;
  if (ReadSizeText(Value, 1, W, H) != TSizeRead::Read || W < MinWindowWidth || H < MinWindowHeight) return false;
  Width = W;
  Height = H;
  return true;
}

// Sets Key's value on S; the default's description of the allowed values when the value is bad.
std::string SetValue(TSettings& S, const std::string& Key, const std::string& Value) {
  bool On = false;
  if (Key == "volume") {
    int V;
    if (!ParseWholeText(Value, V) || V < 0 || V > 100) return "a whole number from 0 to 100";
    S.Volume = V;
  } else if (Key == "mouse_speed") {
    double V = 0;
    if (!ParseWholeText(Value, V) || !(V >= MinMouseSpeed && V <= MaxMouseSpeed))
      return "a number from 0.25 to 4";
    S.MouseSpeed = V;
  } else if (Key == "multisampling") {
    if (!ParseMultisampling(Lower(Value), S.Multisampling)) return "auto, off, 2, 4 or 8";
  } else if (Key == "window_size") {
    if (!ParseWindowSize(Value, S.WindowWidth, S.WindowHeight)) return "a size such as 1024x768, at least 640x480";
  } else if (Key == "player_name") {
    if (!Value.empty() && !PlayerNameFault(Value).empty()) return "1 to 16 letters, digits, spaces and -_.";
    S.PlayerName = Value;
  } else if (Key == "board") {
    if (!Value.empty() && !BoardFault(Value).empty()) return "an http:// or https:// address";
    S.Board = Value;
  } else {
    if (!ParseSwitch(Value, On)) return "yes or no";
    if (Key == "muted") S.Muted = On;
    else if (Key == "invert_mouse") S.InvertMouse = On;
    else if (Key == "reduce_flashing") S.ReduceFlashing = On;
    else if (Key == "vsync") S.Vsync = On;
    else if (Key == "show_fps") S.ShowFps = On;
    else if (Key == "share_scores") S.ShareScores = On;
    else S.FullScreen = On;
  }
  return "";
}

std::string ValueText(const TSettings& S, const std::string& Key) {
  const auto YesNo = [](bool On) { return std::string(On ? "yes" : "no"); };
  if (Key == "volume") return std::to_string(S.Volume);
  if (Key == "muted") return YesNo(S.Muted);
  if (Key == "mouse_speed") {
    // The fewest digits that read back as the same speed: a save of another
    // setting must not round the player's own value.
    char Text[32];
    for (int Digits = 6; Digits <= 17; ++Digits) {
      std::snprintf(Text, sizeof Text, "%.*g", Digits, S.MouseSpeed);
      double Back = 0;
      if (ParseWholeText(Text, Back) && Back == S.MouseSpeed) break;
    }
    return Text;
  }
  if (Key == "invert_mouse") return YesNo(S.InvertMouse);
  if (Key == "reduce_flashing") return YesNo(S.ReduceFlashing);
  if (Key == "multisampling")
    return S.Multisampling == MultisamplingAuto ? "auto" : S.Multisampling == 0 ? "off" : std::to_string(S.Multisampling);
  if (Key == "vsync") return YesNo(S.Vsync);
  if (Key == "fullscreen") return YesNo(S.FullScreen);
  if (Key == "show_fps") return YesNo(S.ShowFps);
  if (Key == "share_scores") return YesNo(S.ShareScores);
  if (Key == "player_name") return S.PlayerName;
  if (Key == "board") return S.Board;
  return std::to_string(S.WindowWidth) + "x" + std::to_string(S.WindowHeight);
}

bool KnownKey(const std::string& Key) {
  return std::find(std::begin(Keys), std::end(Keys), Key) != std::end(Keys);
}

// Splits a `key = value` line; false for a blank line or a comment.
bool SplitLine(const std::string& Line, std::string& Key, std::string& Value, bool& Malformed) {
  Malformed = false;
  const std::string T = Trim(Line);
  if (T.empty() || T[0] == '#') return false;
  const size_t Eq = T.find('=');
  if (Eq == std::string::npos) {
    Malformed = true;
    return false;
  }
  Key = Lower(Trim(T.substr(0, Eq)));
  Value = Trim(T.substr(Eq + 1));
  const size_t Hash = Value.find('#');  // a comment after the value
  if (Hash != std::string::npos) Value = Trim(Value.substr(0, Hash));
  return true;
}

// A word from the file, cut and with its control bytes escaped for a message.
std::string Shown(const std::string& Text) { return QuoteWord(Text, 40); }

}  // namespace

std::string PlayerNameFault(const std::string& Name) {
  if (Name.empty() || Name.size() > 16) return "a player name is 1 to 16 characters";
  for (const char C : Name)
    if (!std::isalnum(static_cast<unsigned char>(C)) && C != ' ' && C != '-' && C != '_' && C != '.')
      return "a player name holds only letters, digits, spaces and -_.";
  if (Name.front() == ' ' || Name.back() == ' ') return "a player name does not begin or end with a space";
  return "";
}

std::string BoardFault(const std::string& Url) {
  const size_t Scheme = Url.rfind("https://", 0) == 0 ? 8 : Url.rfind("http://", 0) == 0 ? 7 : 0;
  if (Scheme == 0) return "a board's address begins with http:// or https://";
  if (Url.size() <= Scheme || Url[Scheme] == '/' || Url.size() > 200) return "a board's address names its host";
  for (const char C : Url)
    if (C <= ' ' || C >= 0x7F) return "a board's address holds no spaces or control bytes";
  return "";
}

TSettings ParseSettings(const std::string& Text, const std::string& Name, std::vector<std::string>& Warnings,
                        size_t MaxWarnings, const TSettings& Defaults) {
  const size_t First = Warnings.size();
  TSettings S = Defaults;
  std::istringstream In(Text);
  std::string Line, Key, Value;
  int Number = 0;
  bool Malformed;
  while (std::getline(In, Line)) {
    ++Number;
    const std::string Where = Name + ":" + std::to_string(Number) + ": ";
    // No value the game writes holds a control byte (a NUL, an escape, ...).
    if (std::any_of(Line.begin(), Line.end(), [](char C) {
          const auto Byte = static_cast<unsigned char>(C);
          return (Byte < 0x20 && Byte != '\t' && Byte != '\r') || Byte == 0x7F;
        })) {
      Warnings.push_back(Where + "holds a control byte; ignored");
      continue;
    }
    if (!SplitLine(Line, Key, Value, Malformed)) {
      if (Malformed) Warnings.push_back(Where + "not a \"key = value\" line; ignored");
      continue;
    }
    if (!KnownKey(Key)) {
      Warnings.push_back(Where + "unknown setting \"" + Shown(Key) + "\" ignored");
      continue;
    }
    const std::string Allowed = SetValue(S, Key, Value);
    if (Allowed.empty()) continue;
    SetValue(S, Key, ValueText(Defaults, Key));
    const std::string Default = ValueText(Defaults, Key);
    Warnings.push_back(Where + Key + " \"" + Shown(Value) + "\" is not " + Allowed + "; " +
                       (Default.empty() ? "none" : Default) + " used");
  }
  if (Warnings.size() - First > MaxWarnings) {
    const size_t More = Warnings.size() - First - MaxWarnings;
    Warnings.resize(First + MaxWarnings);
    Warnings.push_back(Name + ": and " + std::to_string(More) + " more");
  }
  return S;
}

std::string FormatSettings(const TSettings& Settings, const std::string& OldText, const TSettings& Defaults,
                           const std::vector<std::string>& PlatformKeys) {
  std::string Out = OldText.empty() ? "# Skyrend's settings, changed in the game's options (P pauses).\n" : "";
  std::vector<std::string> Written;
  std::istringstream In(OldText);
  std::string Line, Key, Value;
  bool Malformed;
  while (std::getline(In, Line)) {
    if (SplitLine(Line, Key, Value, Malformed) && KnownKey(Key)) {
      if (std::find(Written.begin(), Written.end(), Key) != Written.end()) continue;  // a repeat: the one value stays
      Written.push_back(Key);
      Out += Key + " = " + ValueText(Settings, Key) + "\n";
    } else {
      Out += Line + "\n";
    }
  }
  for (const char* K : Keys) {
    if (std::find(Written.begin(), Written.end(), K) != Written.end()) continue;
    const std::string Value = ValueText(Settings, K);
    const bool Platforms = std::find(PlatformKeys.begin(), PlatformKeys.end(), K) != PlatformKeys.end();
    if (Platforms && Value == ValueText(Defaults, K)) continue;  // still the platform's choice
    if (Value.empty()) continue;  // no name or board yet: nothing worth a line
    Out += std::string(K) + " = " + Value + "\n";
  }
  return Out;
}
