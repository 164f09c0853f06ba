// The entry points that read state back, the error flag and strings, and the
// two GLU routines the game calls.
#include <GL/gl.h>
#include <GL/glu.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <string>

#include "GlState.h"

namespace {

// Fills Out with the value of Name; false when the name is not ours to answer.
template <typename T>
bool OwnValue(GLenum Name, T* Out) {
  const TFixedState& S = GlState();
  auto Put = [Out](const float* V, int N) {
    for (int i = 0; i < N; ++i) Out[i] = T(V[i]);
  };
  auto PutInt = [Out](const int* V, int N) {
    for (int i = 0; i < N; ++i) Out[i] = T(V[i]);
  };
  const int MatrixMode = int(S.MatrixMode), ShadeModel = int(S.ShadeModel);
  const int Depths[4] = {S.ModelViewTop + 1, S.ProjectionTop + 1, S.TextureTop + 1, S.AttribDepth};
  const int Limits[4] = {ModelViewStackDepth, ProjectionStackDepth, TextureStackDepth, AttribStackDepth};
  const int Bound = int(S.BoundTexture), ReadBuffer = int(S.ReadBuffer);
  switch (Name) {
    case GL_MODELVIEW_MATRIX: Put(S.ModelView[S.ModelViewTop].M, 16); return true;
    case GL_PROJECTION_MATRIX: Put(S.Projection[S.ProjectionTop].M, 16); return true;
    case GL_TEXTURE_MATRIX: Put(S.Texture[S.TextureTop].M, 16); return true;
    case GL_CURRENT_COLOR: Put(S.Colour, 4); return true;
    case GL_CURRENT_NORMAL: Put(S.Normal, 3); return true;
    case GL_LINE_WIDTH: Put(&S.LineWidth, 1); return true;
    case GL_POINT_SIZE: Put(&S.PointSize, 1); return true;
    case GL_COLOR_CLEAR_VALUE: Put(S.ClearColour, 4); return true;
    case GL_LIGHT_MODEL_AMBIENT: Put(S.SceneAmbient, 4); return true;
    case GL_ALPHA_TEST_REF: Put(&S.AlphaRef, 1); return true;
    case GL_VIEWPORT: PutInt(S.Viewport, 4); return true;
    case GL_SCISSOR_BOX: PutInt(S.ScissorBox, 4); return true;
    case GL_DEPTH_CLEAR_VALUE: Put(&S.ClearDepth, 1); return true;
    case GL_MATRIX_MODE: PutInt(&MatrixMode, 1); return true;
    case GL_SHADE_MODEL: PutInt(&ShadeModel, 1); return true;
    case GL_MODELVIEW_STACK_DEPTH: PutInt(&Depths[0], 1); return true;
    case GL_PROJECTION_STACK_DEPTH: PutInt(&Depths[1], 1); return true;
    case GL_MAX_MODELVIEW_STACK_DEPTH: PutInt(&Limits[0], 1); return true;
    case GL_MAX_PROJECTION_STACK_DEPTH: PutInt(&Limits[1], 1); return true;
    case GL_TEXTURE_STACK_DEPTH: PutInt(&Depths[2], 1); return true;
    case GL_MAX_TEXTURE_STACK_DEPTH: PutInt(&Limits[2], 1); return true;
    case GL_ATTRIB_STACK_DEPTH: PutInt(&Depths[3], 1); return true;
    case GL_MAX_ATTRIB_STACK_DEPTH: PutInt(&Limits[3], 1); return true;
    case GL_READ_BUFFER: PutInt(&ReadBuffer, 1); return true;
    case GL_TEXTURE_BINDING_2D: PutInt(&Bound, 1); return true;
    case GL_UNPACK_ALIGNMENT: PutInt(&S.UnpackAlignment, 1); return true;
    default: return false;
  }
}

}  // namespace

extern "C" {

GLenum glGetError() {
  TFixedState& S = GlState();
  if (S.Error != 0) {
    const GLenum Code = S.Error;
    S.Error = 0;
    return Code;
  }
  return emscripten_glGetError();
}

void glGetFloatv(GLenum Name, GLfloat* Out) {
  if (GlState().InBegin) return SetGlError(GL_INVALID_OPERATION);
  if (!OwnValue(Name, Out)) emscripten_glGetFloatv(Name, Out);
}

void glGetDoublev(GLenum Name, GLdouble* Out) {
  if (GlState().InBegin) return SetGlError(GL_INVALID_OPERATION);
  if (OwnValue(Name, Out)) return;
  GLfloat Values[16];
  emscripten_glGetFloatv(Name, Values);
  for (int i = 0; i < 4; ++i) Out[i] = Values[i];
}

void glGetIntegerv(GLenum Name, GLint* Out) {
  if (GlState().InBegin) return SetGlError(GL_INVALID_OPERATION);
  if (!OwnValue(Name, Out)) emscripten_glGetIntegerv(Name, Out);
}

void glGetBooleanv(GLenum Name, GLboolean* Out) {
  if (GlState().InBegin) return SetGlError(GL_INVALID_OPERATION);
  const TFixedState& S = GlState();
  if (Name == GL_DEPTH_WRITEMASK) {
    *Out = S.DepthMask ? GL_TRUE : GL_FALSE;
    return;
  }
  if (Name == GL_COLOR_WRITEMASK) {
    for (int i = 0; i < 4; ++i) Out[i] = S.ColourMask[i] ? GL_TRUE : GL_FALSE;
    return;
  }
  if (OwnValue(Name, Out)) return;
  emscripten_glGetBooleanv(Name, Out);
}

const GLubyte* glGetString(GLenum Name) {
  static std::string Renderer;
  switch (Name) {
    case GL_VENDOR:
      return reinterpret_cast<const GLubyte*>("Skyrend");
    case GL_RENDERER:
      if (Renderer.empty()) {
        const GLubyte* Real = emscripten_glGetString(GL_RENDERER);
        Renderer = std::string("OpenGL 1.1 subset on WebGL 2 (") + (Real ? reinterpret_cast<const char*>(Real) : "") + ")";
      }
      return reinterpret_cast<const GLubyte*>(Renderer.c_str());
    case GL_VERSION:
      return reinterpret_cast<const GLubyte*>("1.1 Skyrend WebGL");
    case GL_EXTENSIONS:
      return reinterpret_cast<const GLubyte*>("");
    default:
      SetGlError(GL_INVALID_ENUM);
      return nullptr;
  }
}

const GLubyte* gluErrorString(GLenum Code) {
  const char* Text = nullptr;
  switch (Code) {
    case GL_NO_ERROR: Text = "no error"; break;
    case GL_INVALID_ENUM: Text = "invalid enumerant"; break;
    case GL_INVALID_VALUE: Text = "invalid value"; break;
    case GL_INVALID_OPERATION: Text = "invalid operation"; break;
    case GL_STACK_OVERFLOW: Text = "stack overflow"; break;
    case GL_STACK_UNDERFLOW: Text = "stack underflow"; break;
    case GL_OUT_OF_MEMORY: Text = "out of memory"; break;
    case 0x0506: Text = "invalid framebuffer operation"; break;
    default: break;
  }
  return reinterpret_cast<const GLubyte*>(Text);
}

void gluPerspective(GLdouble FovY, GLdouble Aspect, GLdouble Near, GLdouble Far) {
  const TMat4 P = PerspectiveMatrix(FovY, Aspect, Near, Far);
  glMultMatrixf(P.M);
}

}  // extern "C"
