// Texture creation for a material whose texture line names a bitmap file.
// Needs a current GL context.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "MerivexLib3D.h"

class TTextureCache;

// Folder + "/" + Name, or Name alone when Folder is empty.
std::string JoinPath(const std::string& Folder, const std::string& Name);

// Uploads an image (rows without gaps, top row first; R, G, B or R, G, B, A
// when Masked) as a new 2D texture: clamped, linear filters, no mipmaps. The
// texture stays bound. Gives its name.
uint32_t UploadTexture(const std::vector<uint8_t>& Image, int32_t Width, int32_t Height, bool Masked);

// Gives Material the texture of Material.TextureFile, a name inside Folder
// (colour-keyed when Material.Masked), from Textures: decoded and uploaded
// there on first use, shared afterwards. Fills TextureWidth, TextureHeight and
// TextureId; Pixels stays empty. A missing file is first reported to Messages
// as "Cannot find the file: <name>"; every failure throws ELoadError naming
// the texture file, except EModelTooLarge, which passes through.
void CreateMaterialTexture(TMaterial& Material, const std::string& Folder, TTextureCache& Textures,
                           IMessageSink& Messages);
