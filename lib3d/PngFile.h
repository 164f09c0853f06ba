// The one PNG writer: the desktop's saved pictures, the simulator's and the
// tools' pictures. No GL here; the page saves no PNG (it is left out there).
#pragma once
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

enum class TRowOrder { TopFirst, BottomFirst };  // BottomFirst: as glReadPixels gives them
// Replace: the file at Path is written over (a tool's named output).
// NewFileOnly: Path must not exist yet, not even as a link (a player's
// picture never lands where a planted link points); EEXIST otherwise.
enum class TPngOpen { Replace, NewFileOnly };
// The file a PNG is written to, opened for binary writing as Open says (a new
// file never follows a link nor replaces a file); null with errno set.
std::FILE* OpenPngFile(const std::string& Path, TPngOpen Open);

// Writes Width x Height RGBA bytes as an RGB PNG, or an RGBA one when Alpha is
// set. False with the reason in Error (nothing is left at Path then).
bool WritePngFile(const std::string& Path, int Width, int Height, const std::vector<uint8_t>& Rgba, TRowOrder Rows,
                  bool Alpha, std::string& Error, TPngOpen Open = TPngOpen::Replace);
