// The load's last two stages: the materials' bitmaps found and decoded (no
// GL), then uploaded with the meshes' display lists (GL).
#include <GL/gl.h>

#include <algorithm>
#include <exception>

#include "MerivexLib3D.h"
#include "ModelLoad.h"
#include "Texture.h"
#include "TextureCache.h"

namespace {

// Any other failure of a stage names the model, as a fault in its text does.
template <typename Stage>
void NamingTheModel(const std::string& Name, Stage&& Run) {
  try {
    Run();
  } catch (const ELoadError&) {
    throw;
  } catch (const std::exception& e) {  // "Model too large" among them
    throw ELoadError(Name, e.what());
  }
}

}  // namespace

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

void TMS3DObj::Compile() {
  NamingTheModel(FileName, [&] {
    UploadTextures();
    CompileMeshes();
  });
}

void TMS3DObj::UploadTextures() {
  // In material order, as each material's texture was first made or shared:
  // the same texture names, and the last material's texture left bound. A
  // texture another model of the load uploaded is only bound.
  for (TMaterial& material : Materials) {
    if (material.TextureIndex < 0 || static_cast<size_t>(material.TextureIndex) >= Textures.size()) continue;
    TModelTexture& texture = *Textures[material.TextureIndex];
    if (texture.Uploaded) {
      glBindTexture(GL_TEXTURE_2D, texture.TextureId);
    } else {
      texture.TextureId = UploadTexture(texture.Image, texture.Width, texture.Height, texture.Masked);
      texture.Uploaded = true;
      std::vector<uint8_t>().swap(texture.Image);
    }
    material.TextureId = texture.TextureId;
  }
}
