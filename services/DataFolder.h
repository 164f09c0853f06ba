// Where the installed game finds its model files and bitmaps: beside the
// executable (the build's folder, or a game unpacked anywhere), else in
// ../share/games/skyrend (the games layout: /usr/games/skyrend reads
// /usr/share/games/skyrend) or ../share/skyrend (a prefix's bin/skyrend reads
// share/skyrend) from the executable's folder. No SDL here.
#pragma once
#include <string>

// The data folder for an executable in ExeFolder: the first of ExeFolder,
// ExeFolder/../share/games/skyrend and ExeFolder/../share/skyrend that holds
// the first model file ("GameText.txt"); when none does, the first of the two
// shared folders that exists, otherwise ExeFolder (the game then reports the
// missing files by name, in that folder).
std::string DataFolderFor(const std::string& ExeFolder);

// The folder of the running executable (/proc/self/exe; on Windows the
// module's own file name), else of Argv0.
std::string ExecutableFolder(const char* Argv0);
