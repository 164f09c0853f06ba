// The desktop game, from its command line to its exit code: what main() runs.
#pragma once

int RunDesktopGame(int argc, char* argv[]);
