// The state our GL subset keeps for itself so that no frame asks WebGL:
// what glPushAttrib saves of it comes back on glPopAttrib both in the
// subset's answers and in WebGL's own state, and glIsTexture follows
// generation, binding and deletion.
#include <GL/gl.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <string>

#include "GlChecks.h"

namespace {

struct TKept {
  GLint Box[4];
  GLboolean Mask[4];
  GLfloat ClearDepth;
  GLboolean Scissor, Dither;
};

// The state as Get reads it: the subset's glGet* or WebGL's.
template <typename TGetI, typename TGetB, typename TGetF, typename TIs>
TKept Read(TGetI GetI, TGetB GetB, TGetF GetF, TIs Is) {
  TKept K{};
  GetI(GL_SCISSOR_BOX, K.Box);
  GetB(GL_COLOR_WRITEMASK, K.Mask);
  GetF(GL_DEPTH_CLEAR_VALUE, &K.ClearDepth);
  K.Scissor = Is(GL_SCISSOR_TEST);
  K.Dither = Is(GL_DITHER);
  return K;
}

bool Same(const TKept& A, const TKept& B) {
  for (int i = 0; i < 4; ++i)
    if (A.Box[i] != B.Box[i] || A.Mask[i] != B.Mask[i]) return false;
  return A.ClearDepth == B.ClearDepth && A.Scissor == B.Scissor && A.Dither == B.Dither;
}

TKept Ours() { return Read(glGetIntegerv, glGetBooleanv, glGetFloatv, glIsEnabled); }
TKept WebGls() {
  return Read(emscripten_glGetIntegerv, emscripten_glGetBooleanv, emscripten_glGetFloatv, emscripten_glIsEnabled);
}

void Change() {
  glEnable(GL_SCISSOR_TEST);
  glDisable(GL_DITHER);
  glScissor(3, 4, 5, 6);
  glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_FALSE);
  glClearDepth(0.25);
}

}  // namespace

std::string AttributeChecks(int Size) {
  const TKept Start = Ours();
  if (!Same(Start, WebGls()) || Start.Box[2] != Size || Start.Box[3] != Size)
    return "the subset's scissor box, colour mask, clear depth or enables differ from WebGL's at the start";
  // Each group alone puts back its part; the rest keeps the change.
  const GLbitfield Groups[] = {GL_SCISSOR_BIT, GL_COLOR_BUFFER_BIT, GL_DEPTH_BUFFER_BIT, GL_ENABLE_BIT};
  for (const GLbitfield Group : Groups) {
    glPushAttrib(Group);
    Change();
    const TKept Changed = Ours();
    glPopAttrib();
    const TKept After = Ours();
    if (!Same(After, WebGls())) return "after glPopAttrib the subset's state differs from WebGL's";
    const bool Box = Group == GL_SCISSOR_BIT, Colour = Group == GL_COLOR_BUFFER_BIT;
    const bool Scissor = Box || Group == GL_ENABLE_BIT, Dither = Colour || Group == GL_ENABLE_BIT;
    if ((Box ? After.Box[0] != Start.Box[0] : After.Box[0] != Changed.Box[0]) ||
        (Colour ? After.Mask[1] != Start.Mask[1] : After.Mask[1] != Changed.Mask[1]) ||
        (Group == GL_DEPTH_BUFFER_BIT ? After.ClearDepth != Start.ClearDepth : After.ClearDepth != Changed.ClearDepth) ||
        (Scissor ? After.Scissor != Start.Scissor : After.Scissor != Changed.Scissor) ||
        (Dither ? After.Dither != Start.Dither : After.Dither != Changed.Dither))
      return "glPopAttrib put back another group than the one pushed (" + std::to_string(Group) + ")";
    glDisable(GL_SCISSOR_TEST);
    glEnable(GL_DITHER);
    glScissor(Start.Box[0], Start.Box[1], Start.Box[2], Start.Box[3]);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearDepth(1);
  }

  // A name is a texture once bound, and not after it is deleted; a binding
  // pushed before the deletion comes back as none.
  GLuint Texture = 0;
  glGenTextures(1, &Texture);
  const bool Generated = glIsTexture(Texture) == emscripten_glIsTexture(Texture);
  glBindTexture(GL_TEXTURE_2D, Texture);
  const bool Bound = glIsTexture(Texture) && emscripten_glIsTexture(Texture);
  glPushAttrib(GL_TEXTURE_BIT);
  glDeleteTextures(1, &Texture);
  glPopAttrib();
  GLint Now = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &Now);
  if (!Generated || !Bound || glIsTexture(Texture) || emscripten_glIsTexture(Texture) || Now != 0)
    return "glIsTexture or the binding glPopAttrib puts back differ from WebGL's";
  if (glGetError() != GL_NO_ERROR) return "the attribute checks set a GL error";
  return "";
}
