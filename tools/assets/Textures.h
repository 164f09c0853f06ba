// The game's texture pictures, painted procedurally (fixed seeds, no time),
// so every build writes the same bitmaps.
#pragma once
#include <string>
#include <vector>

#include "BitmapWriter.h"

// Every texture file name the models use.
std::vector<std::string> TextureNames();
// The picture for one of TextureNames(); throws std::invalid_argument otherwise.
TImage PaintTexture(const std::string& FileName);
