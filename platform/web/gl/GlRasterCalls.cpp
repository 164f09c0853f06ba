// The entry points for rasterisation and per-fragment state, the frame
// buffer and pixel transfer. Most reach WebGL unchanged once the waiting
// batch is drawn; line width and point size are ours (WebGL has neither).
#include <GL/gl.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <algorithm>

#include "GlLists.h"
#include "GlState.h"

namespace {

bool InsideBegin() {
  if (!GlState().InBegin) return false;
  SetGlError(GL_INVALID_OPERATION);
  return true;
}

bool IsCompareFunc(GLenum F) { return F >= GL_NEVER && F <= GL_ALWAYS; }

}  // namespace

extern "C" {

void glShadeModel(GLenum Mode) {
  if (CompiledOnly({TListOpCode::ShadeModel, {Mode}, {}})) return;
  if (InsideBegin()) return;
  if (Mode != GL_FLAT && Mode != GL_SMOOTH) return SetGlError(GL_INVALID_ENUM);
  if (GlState().ShadeModel == Mode) return;
  FlushBatch();
  GlState().ShadeModel = Mode;
}

void glLineWidth(GLfloat Width) {
  if (CompiledOnly({TListOpCode::LineWidth, {}, {Width}})) return;
  if (InsideBegin()) return;
  if (Width <= 0) return SetGlError(GL_INVALID_VALUE);
  if (GlState().LineWidth == Width) return;
  FlushBatch();
  GlState().LineWidth = Width;
}

void glPointSize(GLfloat Size) {
  if (CompiledOnly({TListOpCode::PointSize, {}, {Size}})) return;
  if (InsideBegin()) return;
  if (Size <= 0) return SetGlError(GL_INVALID_VALUE);
  if (GlState().PointSize == Size) return;
  FlushBatch();
  GlState().PointSize = Size;
}

void glAlphaFunc(GLenum Func, GLclampf Ref) {
  if (CompiledOnly({TListOpCode::AlphaFunc, {Func}, {Ref}})) return;
  if (InsideBegin()) return;
  if (!IsCompareFunc(Func)) return SetGlError(GL_INVALID_ENUM);
  const float Clamped = Ref < 0 ? 0 : (Ref > 1 ? 1 : Ref);
  if (GlState().AlphaFunc == Func && GlState().AlphaRef == Clamped) return;
  FlushBatch();
  GlState().AlphaFunc = Func;
  GlState().AlphaRef = Clamped;
}

void glDepthMask(GLboolean Flag) {
  if (CompiledOnly({TListOpCode::DepthMask, {Flag}, {}})) return;
  if (InsideBegin()) return;
  if (GlState().DepthMask == bool(Flag)) return;
  FlushBatch();
  GlState().DepthMask = Flag;
  emscripten_glDepthMask(Flag);
}

void glDepthFunc(GLenum Func) {
  if (CompiledOnly({TListOpCode::DepthFunc, {Func}, {}})) return;
  if (InsideBegin()) return;
  if (!IsCompareFunc(Func)) return SetGlError(GL_INVALID_ENUM);
  if (GlState().DepthFunc == Func) return;
  FlushBatch();
  GlState().DepthFunc = Func;
  emscripten_glDepthFunc(Func);
}

void glBlendFunc(GLenum Src, GLenum Dst) {
  if (CompiledOnly({TListOpCode::BlendFunc, {Src, Dst}, {}})) return;
  if (InsideBegin()) return;
  if (GlState().BlendSrc == Src && GlState().BlendDst == Dst) return;
  FlushBatch();
  GlState().BlendSrc = Src;
  GlState().BlendDst = Dst;
  emscripten_glBlendFunc(Src, Dst);
}

void glCullFace(GLenum Mode) {
  if (CompiledOnly({TListOpCode::CullFace, {Mode}, {}})) return;
  if (InsideBegin()) return;
  if (GlState().CullMode == Mode) return;
  FlushBatch();
  GlState().CullMode = Mode;
  emscripten_glCullFace(Mode);
}

void glFrontFace(GLenum Mode) {
  if (CompiledOnly({TListOpCode::FrontFace, {Mode}, {}})) return;
  if (InsideBegin()) return;
  if (GlState().FrontFace == Mode) return;
  FlushBatch();
  GlState().FrontFace = Mode;
  emscripten_glFrontFace(Mode);
}

void glViewport(GLint X, GLint Y, GLsizei W, GLsizei H) {
  if (CompiledOnly({TListOpCode::Viewport, {}, {float(X), float(Y), float(W), float(H)}})) return;
  if (InsideBegin()) return;
  if (W < 0 || H < 0) return SetGlError(GL_INVALID_VALUE);
  int* V = GlState().Viewport;
  if (V[0] == X && V[1] == Y && V[2] == W && V[3] == H) return;
  FlushBatch();
  V[0] = X;
  V[1] = Y;
  V[2] = W;
  V[3] = H;
  emscripten_glViewport(X, Y, W, H);
}

void glClear(GLbitfield Mask) {
  if (CompiledOnly({TListOpCode::Clear, {Mask}, {}})) return;
  if (InsideBegin()) return;
  FlushBatch();
  // The accumulation buffer is not there; its bit clears nothing.
  emscripten_glClear(Mask & ~GLbitfield(GL_ACCUM_BUFFER_BIT));
}

void glClearColor(GLclampf R, GLclampf G, GLclampf B, GLclampf A) {
  if (CompiledOnly({TListOpCode::ClearColour, {}, {R, G, B, A}})) return;
  if (InsideBegin()) return;
  float* C = GlState().ClearColour;
  C[0] = R;
  C[1] = G;
  C[2] = B;
  C[3] = A;
  emscripten_glClearColor(R, G, B, A);
}

void glClearDepth(GLclampd Depth) {
  if (InsideBegin()) return;
  GlState().ClearDepth = GLfloat(std::min(std::max(Depth, 0.0), 1.0));
  emscripten_glClearDepthf(GLfloat(Depth));
}

void glColorMask(GLboolean R, GLboolean G, GLboolean B, GLboolean A) {
  if (InsideBegin()) return;
  FlushBatch();
  bool* Mask = GlState().ColourMask;
  Mask[0] = R != GL_FALSE;
  Mask[1] = G != GL_FALSE;
  Mask[2] = B != GL_FALSE;
  Mask[3] = A != GL_FALSE;
  emscripten_glColorMask(R, G, B, A);
}

void glScissor(GLint X, GLint Y, GLsizei W, GLsizei H) {
  if (InsideBegin()) return;
  if (W < 0 || H < 0) return SetGlError(GL_INVALID_VALUE);
  FlushBatch();
  int* Box = GlState().ScissorBox;
  Box[0] = X;
  Box[1] = Y;
  Box[2] = W;
  Box[3] = H;
  emscripten_glScissor(X, Y, W, H);
}

void glHint(GLenum, GLenum) {
  // Hints leave the result to the implementation: ours has one way of doing each thing.
  InsideBegin();
}

void glFlush() {
  if (InsideBegin()) return;
  FlushBatch();
  emscripten_glFlush();
}

void glFinish() {
  if (InsideBegin()) return;
  FlushBatch();
  emscripten_glFinish();
}

void glPixelStorei(GLenum Name, GLint Value) {
  if (InsideBegin()) return;
  if (Name == GL_UNPACK_ALIGNMENT) GlState().UnpackAlignment = Value;
  emscripten_glPixelStorei(Name, Value);
}

void glReadBuffer(GLenum Mode) {
  if (InsideBegin()) return;
  // The canvas has one colour buffer: it holds the picture being drawn and,
  // until the browser shows the next one, the picture on show. Every name of
  // it reads it; WebGL's own read buffer stays GL_BACK.
  switch (Mode) {
    case GL_FRONT:
    case GL_BACK:
    case GL_LEFT:
    case GL_FRONT_LEFT:
    case GL_BACK_LEFT:
      GlState().ReadBuffer = Mode;
      return;
    case GL_RIGHT:
    case GL_FRONT_RIGHT:
    case GL_BACK_RIGHT:
    case GL_AUX0:
    case GL_AUX1:
    case GL_AUX2:
    case GL_AUX3:
      return SetGlError(GL_INVALID_OPERATION);  // buffers the canvas does not have
    default:
      return SetGlError(GL_INVALID_ENUM);
  }
}

void glReadPixels(GLint X, GLint Y, GLsizei W, GLsizei H, GLenum Format, GLenum Type, GLvoid* Pixels) {
  if (InsideBegin()) return;
  FlushBatch();
  emscripten_glReadPixels(X, Y, W, H, Format, Type, Pixels);
}

}  // extern "C"
