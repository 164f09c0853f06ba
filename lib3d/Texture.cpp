#include "Texture.h"

#include <GL/gl.h>

#include <exception>

#include "QuoteWord.h"
#include "ReadableFile.h"
#include "TextureCache.h"

std::string JoinPath(const std::string& Folder, const std::string& Name) {
  if (Folder.empty()) return Name;
  return Folder + "/" + Name;
}

uint32_t UploadTexture(const std::vector<uint8_t>& Image, int32_t Width, int32_t Height, bool Masked) {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);

  // Rows are handed over without gaps; any width must upload correctly, so
  // the unpack alignment is 1 for this call whatever the caller left set.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLenum format = Masked ? GL_RGBA : GL_RGB;
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), Width, Height, 0, format, GL_UNSIGNED_BYTE,
               Image.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  return id;
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
