#include "PlayerFiles.h"

#include <cstdlib>
#include <ctime>

namespace {

std::string Env(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value && *Value == '/' ? Value : "";  // XDG: a relative path is to be ignored
}

}  // namespace

TPlayerPaths PlayerPathsFromEnvironment(const std::string& Fallback) {
  const std::string Home = Env("HOME");
  std::string Config = Env("XDG_CONFIG_HOME"), Data = Env("XDG_DATA_HOME");
  if (Config.empty() && !Home.empty()) Config = Home + "/.config";
  if (Data.empty() && !Home.empty()) Data = Home + "/.local/share";
  TPlayerPaths P;
  const std::string Other = Fallback.empty() ? "" : Fallback + (Fallback.back() == '/' ? "" : "/");
  P.Settings = !Config.empty() ? Config + "/skyrend/settings.ini" : Other.empty() ? "" : Other + "settings.ini";
  P.Scores = !Data.empty() ? Data + "/skyrend/scores.txt" : Other.empty() ? "" : Other + "scores.txt";
  return P;
}

std::string LocalTimeText(const char* Format) {
  const std::time_t Now = std::time(nullptr);
  std::tm Local{};
  localtime_r(&Now, &Local);
  char Text[32];
  std::strftime(Text, sizeof Text, Format, &Local);
  return Text;
}

std::string LocalDate() { return LocalTimeText("%Y-%m-%d"); }
