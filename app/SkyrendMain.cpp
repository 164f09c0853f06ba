// Skyrend's entry point on the desktop.
#include "DesktopGame.h"

int main(int argc, char* argv[]) { return RunDesktopGame(argc, argv); }
