#include <SDL.h>

#include "SdlServices.h"

// Settings and scores live in SDL's preference folder, %APPDATA%\Skyrend.
TPlayerPaths SdlPlayerPaths() {
  char* Pref = SDL_GetPrefPath(nullptr, "Skyrend");
  if (!Pref) return {};
  const std::string Folder = Pref;
  SDL_free(Pref);
  return {Folder + "settings.ini", Folder + "scores.txt"};
}
