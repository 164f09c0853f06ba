// The load's GL stage: textures uploaded and display lists compiled, and the
// two calls that run every stage of a load. A model only read needs none of
// this file, so a program that only reads models links no GL.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "MerivexLib3D.h"
#include "ModelStage.h"
#include "Texture.h"

void TMS3DObj::LoadFromFile(const std::string& Name, const std::string& Folder, IMessageSink& Messages,
                            TModelLoad* Load) {
  ReadFromFile(Name, Folder, Messages, Load);
  Compile();
}

void TMS3DObj::LoadFromText(const std::string& Name, std::string_view Text, const std::string& Folder,
                            IMessageSink& Messages, TModelLoad* Load) {
  ReadAndResolve(Name, Text, Folder, Messages, Load);
  Compile();
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
  // texture another model of the load uploaded is only bound. A texture the
  // GL cannot hold would be drawn white, so it fails the load instead.
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  for (TMaterial& material : Materials) {
    if (material.TextureIndex < 0 || static_cast<size_t>(material.TextureIndex) >= Textures.size()) continue;
    TModelTexture& texture = *Textures[material.TextureIndex];
    if (!texture.Uploaded && largest > 0 && (texture.Width > largest || texture.Height > largest))
      throw ELoadError(material.TextureFile, "Texture too large: " + std::to_string(texture.Width) + " x " +
                                                 std::to_string(texture.Height) + " pixels, the GL takes at most " +
                                                 std::to_string(largest));
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
