// Writes the generated assets: the model files and their bitmaps into the
// program's folder, and the sound clips as a C++ source for the game.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Every texture file the sixteen models name, each once, in first-use order.
std::vector<std::string> NamedTextures();

// Writes the sixteen model files and their bitmaps into Folder and returns
// the names written. Throws std::runtime_error naming a file it cannot write.
std::vector<std::string> WriteModelsAndBitmaps(const std::string& Folder);

// Renders the font at FontPath into the atlas and its metrics in Folder and
// returns the names written. Throws std::runtime_error as above.
std::vector<std::string> WriteFont(const std::string& Folder, const std::string& FontPath);

// C++ source defining GetSoundClip (SoundClips.h) over the six clips as byte arrays.
std::string SoundClipsSource();

// Writes Bytes to Path. Throws std::runtime_error on failure.
void WriteFile(const std::string& Path, const std::string& Bytes);
// Writes Bytes to Path unless the file already holds exactly them, so that an
// unchanged asset keeps its time stamp.
void WriteFileIfChanged(const std::string& Path, const std::string& Bytes);
