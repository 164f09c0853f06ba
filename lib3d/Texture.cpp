#include "Texture.h"

#include <exception>

#include "QuoteWord.h"
#include "ReadableFile.h"
#include "TextureCache.h"

std::string JoinPath(const std::string& Folder, const std::string& Name) {
  if (Folder.empty()) return Name;
  return Folder + "/" + Name;
}

std::shared_ptr<TModelTexture> ResolveMaterialTexture(TMaterial& Material, const std::string& Folder,
                                                      TTextureCache& Textures, IMessageSink& Messages) {
  std::shared_ptr<TModelTexture> texture;
  try {
    texture = Textures.Get(Folder, Material.TextureFile, Material.Masked);
  } catch (const EFileNotFound& e) {
    Messages.ShowMessage("Cannot find the file: " + QuoteName(Material.TextureFile));
    throw ELoadError(Material.TextureFile, e.what());
  } catch (const EModelTooLarge&) {
    throw;
  } catch (const std::exception& e) {
    throw ELoadError(Material.TextureFile, e.what());
  }
  Material.TextureWidth = texture->Width;
  Material.TextureHeight = texture->Height;
  return texture;
}
