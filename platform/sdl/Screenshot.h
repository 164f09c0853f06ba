// F12: the picture on screen saved as a PNG file in the player's pictures
// folder (`xdg-user-dir PICTURES`, else ~/Pictures; on Windows the known
// Pictures folder), under Skyrend/skyrend-YYYYMMDD-HHMMSS.png.
#pragma once
#include <ctime>
#include <string>

// The player's pictures folder; empty when there is no home either.
std::string PicturesFolder();
// Whether something is at Path (a link counts even when it points nowhere).
bool PathTaken(const std::string& Path);

// The file for a picture taken at Time (local time) in Folder/Skyrend; a
// second picture within the same second gets "-2", "-3", ... before ".png".
std::string ScreenshotPath(const std::string& Folder, std::time_t Time);

// Reads the current GL context's back buffer (Width x Height, before the
// swap) and writes it to Path as a PNG, making the folders. False with the reason.
bool SaveScreenshot(const std::string& Path, int Width, int Height, std::string& Error);
