// How fast a demo is checked with no picture (skyrend-verify's work): a
// ten-minute game of random play, recorded with no picture, then checked.
#pragma once
#include <string>

// Prints the frames a second on this core and the ten-minute game's time.
void PrintDemoCheckSpeed(const std::string& Folder);
