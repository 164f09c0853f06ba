// The load's texture stage: the materials' bitmaps found and decoded, no GL.
#include <algorithm>
#include <exception>

#include "MerivexLib3D.h"
#include "ModelLoad.h"
#include "ModelStage.h"
#include "Texture.h"
#include "TextureCache.h"

void TMS3DObj::ResolveTextures(const std::string& Folder, IMessageSink& Messages, TModelLoad* Load) {
  NamingTheModel(FileName, [&] {
    TModelLoad own;
    TModelLoad& load = Load ? *Load : own;
    Textures.clear();
    for (TMaterial& material : Materials) material.TextureIndex = -1;
    const size_t named = std::min(texturesNamed_, Materials.size());
    for (size_t i = 0; i < named; ++i) {
      if (!Materials[i].Textured) continue;
      const auto texture = ResolveMaterialTexture(Materials[i], Folder, load.Textures, Messages);
      // A model has at most MaxModelMaterials textures: a look along them is cheap.
      auto entry = std::find(Textures.begin(), Textures.end(), texture);
      if (entry == Textures.end()) entry = Textures.insert(Textures.end(), texture);
      Materials[i].TextureIndex = static_cast<int32_t>(entry - Textures.begin());
    }
  });
}
