#include "GlRestore.h"

#include <GL/gl.h>
#include <emscripten.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include "GlRenderer.h"
#include "GlState.h"

namespace {

void RestoreTexture(GLuint Name, const TTextureInfo& T) {
  emscripten_glBindTexture(GL_TEXTURE_2D, Name);
  const GLenum Params[4] = {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T};
  for (int i = 0; i < 4; ++i)
    if (T.Params[i] != 0) emscripten_glTexParameteri(GL_TEXTURE_2D, Params[i], T.Params[i]);
  if (T.Width <= 0 || T.Height <= 0) return;
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, T.Alignment);
  emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GLint(T.Base), T.Width, T.Height, 0, T.Format, T.Type,
                          T.Texels.empty() ? nullptr : T.Texels.data());
}

}  // namespace

bool RestoreGlObjects() {
  ResetRenderer();
  // New WebGL textures under the names the game holds (emscripten's table of them).
  const int Made = EM_ASM_INT({
    if (!GLctx || GLctx.isContextLost()) return 0;
    for (var i = 0; i < GL.textures.length; ++i) {
      if (!GL.textures[i]) continue;
      var Texture = GLctx.createTexture();
      if (!Texture) return 0;
      Texture.name = i;
      GL.textures[i] = Texture;
    }
    return 1;
  });
  if (!Made) return false;
  TFixedState& S = GlState();
  for (size_t Name = 1; Name < S.Textures.size(); ++Name) RestoreTexture(GLuint(Name), S.Textures[Name]);
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, S.UnpackAlignment);
  SyncWebGl(S);
  return emscripten_glGetError() != 0x9242;  // CONTEXT_LOST_WEBGL: lost again already
}

void NoteNewContext(int Width, int Height) {
  int* Box = GlState().ScissorBox;
  Box[0] = 0;
  Box[1] = 0;
  Box[2] = Width;
  Box[3] = Height;
}
