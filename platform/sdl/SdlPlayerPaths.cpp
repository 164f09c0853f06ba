#include <SDL.h>

#include "PlayerFiles.h"
#include "SdlServices.h"

TPlayerPaths SdlPlayerPaths() {
  TPlayerPaths Paths = PlayerPathsFromEnvironment();
  if (!Paths.Settings.empty()) return Paths;
  char* Pref = SDL_GetPrefPath("", "skyrend");
  if (!Pref) return Paths;
  Paths = PlayerPathsFromEnvironment(Pref);
  SDL_free(Pref);
  return Paths;
}
