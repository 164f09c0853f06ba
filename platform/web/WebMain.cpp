// The player's page: main() starts the game on the canvas and returns; the
// browser calls the shell once per display frame from then on.
#include "WebShell.h"

int main() { return StartPageShell() ? 0 : 1; }
