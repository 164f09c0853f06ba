#include "Texture.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <exception>
#include <vector>

#include "Bitmap.h"

namespace {

bool IsRegularFile(const std::string& Path) {
  struct stat st;
  return stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string JoinPath(const std::string& Folder, const std::string& Name) {
  if (Folder.empty()) return Name;
  return Folder + "/" + Name;
}

void CreateMaterialTexture(TMaterial& Material, const std::string& Folder, IMessageSink& Messages) {
  const std::string path = JoinPath(Folder, Material.TextureFile);
  if (!IsRegularFile(path)) {
    Messages.ShowMessage("Cannot find the file: " + Material.TextureFile);
    throw ELoadError(Material.TextureFile, "File not found");
  }
  try {
    Material.Pixels = LoadBitmapTexture(path, Material.Masked, Material.TextureWidth, Material.TextureHeight);
  } catch (const std::exception& e) {
    throw ELoadError(Material.TextureFile, e.what());
  }

  GLuint id = 0;
  glGenTextures(1, &id);
  Material.TextureId = id;
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
  const GLenum format = Material.Masked ? GL_RGBA : GL_RGB;
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), Material.TextureWidth, Material.TextureHeight, 0,
               format, GL_UNSIGNED_BYTE, Material.Pixels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);

  std::vector<uint8_t>().swap(Material.Pixels);
}
