// The load's last two stages: the materials' bitmaps found and decoded (no
// GL), then uploaded with the meshes' display lists (GL).
#include <GL/gl.h>

#include <algorithm>
#include <exception>

#include "MerivexLib3D.h"
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

void TMS3DObj::ResolveTextures(const std::string& Folder, IMessageSink& Messages) {
  NamingTheModel(FileName, [&] {
    Textures.clear();
    for (TMaterial& material : Materials) material.TextureIndex = -1;
    TTextureCache cache(Textures);
    const size_t named = std::min(texturesNamed_, Materials.size());
    for (size_t i = 0; i < named; ++i)
      if (Materials[i].Textured) ResolveMaterialTexture(Materials[i], Folder, cache, Messages);
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
  // the same texture names, and the last material's texture left bound.
  for (TMaterial& material : Materials) {
    if (material.TextureIndex < 0 || static_cast<size_t>(material.TextureIndex) >= Textures.size()) continue;
    TModelTexture& texture = Textures[material.TextureIndex];
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
