// Texture creation for a material whose texture line names a bitmap file.
// Needs a current GL context.
#pragma once
#include <string>

#include "MerivexLib3D.h"

// Folder + "/" + Name, or Name alone when Folder is empty.
std::string JoinPath(const std::string& Folder, const std::string& Name);

// Decodes Folder/Material.TextureFile (colour-keyed when Material.Masked) and
// uploads it as a new 2D texture: clamped, linear filters, no mipmaps. Fills
// TextureWidth, TextureHeight and TextureId and leaves the texture bound;
// Pixels is empty again afterwards. A missing file is first reported to
// Messages as "Cannot find the file: <name>"; every failure throws ELoadError
// naming the texture file.
void CreateMaterialTexture(TMaterial& Material, const std::string& Folder, IMessageSink& Messages);
