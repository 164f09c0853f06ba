// Where the installed game finds its model files and bitmaps: beside the
// executable (the build's folder, or a game unpacked anywhere), else in
// ../share/skyrend beside the executable's folder (an installed game:
// /usr/bin/skyrend reads /usr/share/skyrend). No SDL here.
#pragma once
#include <string>

// The data folder for an executable in ExeFolder: ExeFolder itself when it
// holds the first model file ("GameText.txt"), otherwise ExeFolder/../share/skyrend
// when that folder exists, otherwise ExeFolder (whose missing files the game
// then reports by name).
std::string DataFolderFor(const std::string& ExeFolder);
