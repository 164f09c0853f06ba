// The textures of a model's materials: each material's bitmap is found and
// decoded without GL, then uploaded once a GL context is current.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MerivexLib3D.h"

class TTextureCache;

// Folder + "/" + Name, or Name alone when Folder is empty.
std::string JoinPath(const std::string& Folder, const std::string& Name);

// Uploads an image (rows without gaps, top row first; R, G, B or R, G, B, A
// when Masked) as a new 2D texture: clamped, linear filters, no mipmaps. The
// texture stays bound. Gives its name. Needs a current GL context.
uint32_t UploadTexture(const std::vector<uint8_t>& Image, int32_t Width, int32_t Height, bool Masked);

// Finds Material.TextureFile, a name inside Folder, and has Textures decode it
// (colour-keyed when Material.Masked) or share an earlier decoding; gives it.
// Fills TextureWidth and TextureHeight; no GL. A missing file is first
// reported to Messages as "Cannot find the file: <name>" (the name quoted, see
// QuoteName); every failure throws ELoadError naming the texture file, except
// EModelTooLarge, which passes through.
std::shared_ptr<TModelTexture> ResolveMaterialTexture(TMaterial& Material, const std::string& Folder,
                                                      TTextureCache& Textures, IMessageSink& Messages);
