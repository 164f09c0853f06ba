#include "SdlServices.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DataFolder.h"

bool DialogsAllowed() {
  const char* NoDialogs = std::getenv("SKYREND_NO_DIALOGS");
  if (NoDialogs && std::strcmp(NoDialogs, "1") == 0) return false;
  const char* X11 = std::getenv("DISPLAY");
  const char* Wayland = std::getenv("WAYLAND_DISPLAY");
  return (X11 && *X11) || (Wayland && *Wayland);
}

void ShowFailureMessage(const std::string& Caption, const std::string& Text, SDL_Window* Parent) {
  std::fprintf(stderr, "%s\n", Text.c_str());
  std::fflush(stderr);
  if (!DialogsAllowed()) return;
  // A grabbed, hidden pointer could not reach the dialog's button.
  if (SDL_WasInit(SDL_INIT_VIDEO)) {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
  }
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, Caption.c_str(), Text.c_str(), Parent);
}

void TSdlMessages::ShowMessage(const std::string& Text) { ShowFailureMessage(caption_, Text, parent_); }

std::string ProgramFolder() {
  char* Base = SDL_GetBasePath();
  if (!Base) return ".";
  std::string Folder = Base;
  SDL_free(Base);
  while (Folder.size() > 1 && (Folder.back() == '/' || Folder.back() == '\\')) Folder.pop_back();
  return DataFolderFor(Folder);
}
