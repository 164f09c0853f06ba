// The entry points for textures. WebGL 2 keeps the texels; we keep each
// texture's size and whether it wraps with GL_CLAMP, whose border WebGL lacks,
// and a copy of what was uploaded, to make it again after a lost context.
#include <GL/gl.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include "GlLists.h"
#include "GlState.h"

namespace {

bool InsideBegin() {
  if (!GlState().InBegin) return false;
  SetGlError(GL_INVALID_OPERATION);
  return true;
}

TTextureInfo* Bound() { return const_cast<TTextureInfo*>(BoundTextureInfo()); }

// GL 1.0's component counts and the unsized formats WebGL 2 takes with bytes.
GLenum BaseFormat(GLint Internal) {
  if (Internal == 3 || Internal == GL_RGB || Internal == GL_RGB8) return GL_RGB;
  if (Internal == 4 || Internal == GL_RGBA || Internal == GL_RGBA8) return GL_RGBA;
  if (Internal == 1 || Internal == GL_LUMINANCE) return GL_LUMINANCE;
  if (Internal == GL_ALPHA) return GL_ALPHA;
  if (Internal == 2 || Internal == GL_LUMINANCE_ALPHA) return GL_LUMINANCE_ALPHA;
  return 0;
}

// The bound texture's level 0 now has this size and format.
void Defined(GLsizei Width, GLsizei Height, GLenum Base) {
  if (TTextureInfo* T = Bound()) {
    T->Width = Width;
    T->Height = Height;
    T->Rgb = Base == GL_RGB || Base == GL_LUMINANCE;
    T->Base = Base;
    T->Format = Base;
    T->Type = GL_UNSIGNED_BYTE;
    T->Texels.clear();
  }
}

// Bytes of one texel as glTexImage2D reads them; 0 for what WebGL would refuse.
size_t TexelBytes(GLenum Format, GLenum Type) {
  if (Type == GL_UNSIGNED_SHORT_5_6_5 || Type == GL_UNSIGNED_SHORT_4_4_4_4 || Type == GL_UNSIGNED_SHORT_5_5_5_1) return 2;
  if (Type != GL_UNSIGNED_BYTE) return 0;
  if (Format == GL_RGBA) return 4;
  if (Format == GL_RGB) return 3;
  if (Format == GL_LUMINANCE_ALPHA) return 2;
  return Format == GL_LUMINANCE || Format == GL_ALPHA ? 1 : 0;
}

// Keeps level 0's texels as uploaded, rows padded as UNPACK_ALIGNMENT said.
void KeepTexels(GLsizei Width, GLsizei Height, GLenum Format, GLenum Type, const GLvoid* Pixels) {
  TTextureInfo* T = Bound();
  if (!T) return;
  T->Format = Format;
  T->Type = Type;
  T->Alignment = GlState().UnpackAlignment;
  const size_t Texel = TexelBytes(Format, Type);
  if (!Pixels || Texel == 0 || Width <= 0 || Height <= 0) return;
  const size_t Row = size_t(Width) * Texel, Align = size_t(T->Alignment);
  const size_t Stride = (Row + Align - 1) / Align * Align;
  const uint8_t* From = static_cast<const uint8_t*>(Pixels);
  T->Texels.assign(From, From + Stride * size_t(Height - 1) + Row);
}

void KeepParameter(GLenum Name, GLint Value) {
  TTextureInfo* T = Bound();
  if (!T) return;
  const GLenum Names[4] = {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T};
  for (int i = 0; i < 4; ++i)
    if (Names[i] == Name) T->Params[i] = Value;
}

}  // namespace

extern "C" {

void glGenTextures(GLsizei Count, GLuint* Names) {
  if (InsideBegin()) return;
  emscripten_glGenTextures(Count, Names);
  TFixedState& S = GlState();
  for (GLsizei i = 0; i < Count; ++i) {
    if (Names[i] == 0) continue;  // WebGL made no texture
    if (Names[i] >= S.Textures.size()) S.Textures.resize(Names[i] + 1);
    S.Textures[Names[i]].Generated = true;
  }
}

void glDeleteTextures(GLsizei Count, const GLuint* Names) {
  if (InsideBegin()) return;
  FlushBatch();
  TFixedState& S = GlState();
  for (GLsizei i = 0; i < Count; ++i) {
    if (Names[i] < S.Textures.size()) S.Textures[Names[i]] = TTextureInfo{};
    if (Names[i] == S.BoundTexture) S.BoundTexture = 0;
  }
  emscripten_glDeleteTextures(Count, Names);
}

GLboolean glIsTexture(GLuint Name) { return IsTextureObject(Name) ? GL_TRUE : GL_FALSE; }

void glBindTexture(GLenum Target, GLuint Name) {
  if (CompiledOnly({TListOpCode::BindTexture, {Target, Name}, {}})) return;
  if (InsideBegin()) return;
  if (Target != GL_TEXTURE_2D) return SetGlError(GL_INVALID_ENUM);
  TFixedState& S = GlState();
  if (S.BoundTexture == Name) return;
  FlushBatch();
  S.BoundTexture = Name;
  if (Name >= S.Textures.size()) S.Textures.resize(Name + 1);
  S.Textures[Name].Bound = true;
  emscripten_glBindTexture(GL_TEXTURE_2D, Name);
}

void glTexParameteri(GLenum Target, GLenum Name, GLint Value) {
  if (InsideBegin()) return;
  FlushBatch();
  if ((Name == GL_TEXTURE_WRAP_S || Name == GL_TEXTURE_WRAP_T) && Value == GL_CLAMP) {
    if (TTextureInfo* T = Bound()) (Name == GL_TEXTURE_WRAP_S ? T->ClampS : T->ClampT) = true;
    emscripten_glTexParameteri(Target, Name, GL_CLAMP_TO_EDGE);
    KeepParameter(Name, GL_CLAMP_TO_EDGE);
    return;
  }
  if (Name == GL_TEXTURE_WRAP_S || Name == GL_TEXTURE_WRAP_T)
    if (TTextureInfo* T = Bound()) (Name == GL_TEXTURE_WRAP_S ? T->ClampS : T->ClampT) = false;
  emscripten_glTexParameteri(Target, Name, Value);
  KeepParameter(Name, Value);
}

void glTexParameterf(GLenum Target, GLenum Name, GLfloat Value) { glTexParameteri(Target, Name, GLint(Value)); }

void glTexImage2D(GLenum Target, GLint Level, GLint Internal, GLsizei Width, GLsizei Height, GLint Border,
                  GLenum Format, GLenum Type, const GLvoid* Pixels) {
  if (InsideBegin()) return;
  const GLenum Base = BaseFormat(Internal);
  if (Base == 0) return SetGlError(GL_INVALID_VALUE);
  if (Border != 0) return SetGlError(GL_INVALID_VALUE);
  FlushBatch();
  emscripten_glTexImage2D(Target, Level, GLint(Base), Width, Height, 0, Format, Type, Pixels);
  if (Level == 0) {
    Defined(Width, Height, Base);
    KeepTexels(Width, Height, Format, Type, Pixels);
  }
}

void glCopyTexImage2D(GLenum Target, GLint Level, GLenum Internal, GLint X, GLint Y, GLsizei Width, GLsizei Height,
                      GLint Border) {
  if (InsideBegin()) return;
  if (Target != GL_TEXTURE_2D) return SetGlError(GL_INVALID_ENUM);
  const GLenum Base = BaseFormat(GLint(Internal));
  if (Base == 0 || Border != 0 || Width < 0 || Height < 0) return SetGlError(GL_INVALID_VALUE);
  // The canvas has no alpha channel: GL reads its alpha as 1, and WebGL
  // refuses to copy alpha that is not there, so the copy leaves it out.
  const GLenum Copied = Base == GL_RGBA ? GL_RGB : Base == GL_LUMINANCE_ALPHA ? GL_LUMINANCE : Base;
  // The primitives still waiting belong to the picture being copied.
  FlushBatch();
  emscripten_glCopyTexImage2D(Target, Level, Copied, X, Y, Width, Height, 0);
  if (Level == 0) Defined(Width, Height, Copied);
}

void glTexEnvf(GLenum Target, GLenum Name, GLfloat Value) {
  if (CompiledOnly({TListOpCode::TexEnv, {Target, Name}, {Value}})) return;
  if (InsideBegin()) return;
  const GLenum Mode = GLenum(Value);
  if (Target != GL_TEXTURE_ENV || Name != GL_TEXTURE_ENV_MODE || (Mode != GL_MODULATE && Mode != GL_REPLACE))
    return SetGlError(GL_INVALID_ENUM);
  if (GlState().TexEnvMode == Mode) return;
  FlushBatch();
  GlState().TexEnvMode = Mode;
}

void glTexEnvi(GLenum Target, GLenum Name, GLint Value) { glTexEnvf(Target, Name, GLfloat(Value)); }

}  // extern "C"
