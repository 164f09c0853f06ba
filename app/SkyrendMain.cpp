// Skyrend's entry point on the desktop.
#include <SDL_main.h>  // on Windows SDL's WinMain calls this main, with the arguments in UTF-8

#include "DesktopGame.h"

int main(int argc, char* argv[]) { return RunDesktopGame(argc, argv); }
