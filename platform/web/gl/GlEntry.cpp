// The entry points for state, matrices and immediate-mode drawing.
#include <GL/gl.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include "GlLists.h"
#include "GlState.h"

namespace {

// GL forbids everything but vertex attributes between glBegin and glEnd.
bool InsideBegin() {
  if (!GlState().InBegin) return false;
  SetGlError(GL_INVALID_OPERATION);
  return true;
}

// The capabilities WebGL knows itself, which it keeps along with ours (ours
// answer glIsEnabled, so no frame waits on WebGL to read one back).
bool PassedThrough(GLenum Cap) {
  return Cap == GL_BLEND || Cap == GL_CULL_FACE || Cap == GL_DEPTH_TEST || Cap == GL_SCISSOR_TEST ||
         Cap == GL_POLYGON_OFFSET_FILL || Cap == GL_DITHER;
}

bool* OwnFlag(GLenum Cap) {
  TFixedState& S = GlState();
  switch (Cap) {
    case GL_LIGHTING: return &S.Lighting;
    case GL_LIGHT0: return &S.Light0;
    case GL_TEXTURE_2D: return &S.Texture2D;
    case GL_ALPHA_TEST: return &S.AlphaTest;
    case GL_NORMALIZE: return &S.Normalize;
    case GL_CULL_FACE: return &S.CullFace;
    case GL_DEPTH_TEST: return &S.DepthTest;
    case GL_BLEND: return &S.Blend;
    case GL_SCISSOR_TEST: return &S.ScissorTest;
    case GL_DITHER: return &S.Dither;
    case GL_POLYGON_OFFSET_FILL: return &S.PolygonOffsetFill;
    default: return nullptr;
  }
}

// Capabilities that change nothing a WebGL canvas shows: smoothing hints,
// multisampling (the canvas has none) and fog (the game draws none),
// accepted and remembered.
bool* QuietFlag(GLenum Cap) {
  TFixedState& S = GlState();
  switch (Cap) {
    case GL_LINE_SMOOTH: return &S.LineSmooth;
    case GL_POINT_SMOOTH: return &S.PointSmooth;
    case GL_POLYGON_SMOOTH: return &S.PolygonSmooth;
    case 0x809D: return &S.Multisample;  // GL_MULTISAMPLE
    case GL_FOG: return &S.Fog;
    default: return nullptr;
  }
}

void SetCapability(GLenum Cap, bool On) {
  if (InsideBegin()) return;
  bool* Flag = OwnFlag(Cap);
  if (!Flag) Flag = QuietFlag(Cap);
  if (!Flag && !PassedThrough(Cap)) {
    SetGlError(GL_INVALID_ENUM);
    return;
  }
  if (Flag && *Flag == On) return;
  // Lighting is done as vertices enter the batch: it does not change what waits.
  if (Cap != GL_LIGHTING && Cap != GL_LIGHT0 && Cap != GL_NORMALIZE) FlushBatch();
  if (Flag) *Flag = On;
  if (PassedThrough(Cap)) {
    if (On) emscripten_glEnable(Cap);
    else emscripten_glDisable(Cap);
  }
}

void MultiplyCurrent(const TMat4& M) {
  BeforeMatrixChange();
  TMat4& C = CurrentMatrix();
  C = MultiplyMatrix(C, M);
}

void AddVertex(float X, float Y, float Z, float W) {
  if (CompiledOnly({TListOpCode::Vertex, {}, {X, Y, Z, W}})) return;
  TFixedState& S = GlState();
  if (!S.InBegin) return;  // outside glBegin a vertex draws nothing
  S.Immediate.push_back(CurrentVertex(X, Y, Z, W));
}

}  // namespace

extern "C" {

void glEnable(GLenum Cap) {
  if (CompiledOnly({TListOpCode::Enable, {Cap}, {}})) return;
  SetCapability(Cap, true);
}

void glDisable(GLenum Cap) {
  if (CompiledOnly({TListOpCode::Disable, {Cap}, {}})) return;
  SetCapability(Cap, false);
}

GLboolean glIsEnabled(GLenum Cap) {
  if (InsideBegin()) return GL_FALSE;
  if (bool* Flag = OwnFlag(Cap)) return *Flag ? GL_TRUE : GL_FALSE;
  if (bool* Flag = QuietFlag(Cap)) return *Flag ? GL_TRUE : GL_FALSE;
  SetGlError(GL_INVALID_ENUM);
  return GL_FALSE;
}

void glMatrixMode(GLenum Mode) {
  if (CompiledOnly({TListOpCode::MatrixMode, {Mode}, {}})) return;
  if (InsideBegin()) return;
  if (Mode != GL_MODELVIEW && Mode != GL_PROJECTION && Mode != GL_TEXTURE) {
    SetGlError(GL_INVALID_ENUM);
    return;
  }
  GlState().MatrixMode = Mode;
}

void glLoadIdentity() {
  if (CompiledOnly({TListOpCode::LoadIdentity, {}, {}})) return;
  if (InsideBegin()) return;
  BeforeMatrixChange();
  CurrentMatrix() = IdentityMatrix();
}

void glPushMatrix() {
  if (CompiledOnly({TListOpCode::PushMatrix, {}, {}})) return;
  if (InsideBegin()) return;
  const TMatrixStack Stack = CurrentStack();
  int& Top = *Stack.Top;
  if (Top + 1 >= Stack.Depth) {
    SetGlError(GL_STACK_OVERFLOW);
    return;
  }
  Stack.Matrices[Top + 1] = Stack.Matrices[Top];
  ++Top;
}

void glPopMatrix() {
  if (CompiledOnly({TListOpCode::PopMatrix, {}, {}})) return;
  if (InsideBegin()) return;
  int& Top = *CurrentStack().Top;
  if (Top == 0) {
    SetGlError(GL_STACK_UNDERFLOW);
    return;
  }
  BeforeMatrixChange();
  --Top;
}

void glMultMatrixf(const GLfloat* M) {
  TListOp Op{TListOpCode::MultMatrix, {}, {}};
  for (int k = 0; k < 16; ++k) Op.F[k] = M[k];
  if (CompiledOnly(Op)) return;
  if (InsideBegin()) return;
  TMat4 A;
  for (int k = 0; k < 16; ++k) A.M[k] = M[k];
  MultiplyCurrent(A);
}

void glLoadMatrixf(const GLfloat* M) {
  TListOp Op{TListOpCode::LoadMatrix, {}, {}};
  for (int k = 0; k < 16; ++k) Op.F[k] = M[k];
  if (CompiledOnly(Op)) return;
  if (InsideBegin()) return;
  BeforeMatrixChange();
  for (int k = 0; k < 16; ++k) CurrentMatrix().M[k] = M[k];
}

void glTranslatef(GLfloat X, GLfloat Y, GLfloat Z) {
  if (CompiledOnly({TListOpCode::Translate, {}, {X, Y, Z}})) return;
  if (InsideBegin()) return;
  MultiplyCurrent(TranslationMatrix(X, Y, Z));
}

void glTranslated(GLdouble X, GLdouble Y, GLdouble Z) { glTranslatef(GLfloat(X), GLfloat(Y), GLfloat(Z)); }

void glRotatef(GLfloat Angle, GLfloat X, GLfloat Y, GLfloat Z) {
  if (CompiledOnly({TListOpCode::Rotate, {}, {Angle, X, Y, Z}})) return;
  if (InsideBegin()) return;
  MultiplyCurrent(RotationMatrix(Angle, X, Y, Z));
}

void glRotated(GLdouble Angle, GLdouble X, GLdouble Y, GLdouble Z) {
  glRotatef(GLfloat(Angle), GLfloat(X), GLfloat(Y), GLfloat(Z));
}

void glScalef(GLfloat X, GLfloat Y, GLfloat Z) {
  if (CompiledOnly({TListOpCode::Scale, {}, {X, Y, Z}})) return;
  if (InsideBegin()) return;
  MultiplyCurrent(ScaleMatrix(X, Y, Z));
}

void glFrustum(GLdouble L, GLdouble R, GLdouble B, GLdouble T, GLdouble N, GLdouble F) {
  if (CompiledOnly({TListOpCode::Frustum, {}, {float(L), float(R), float(B), float(T), float(N), float(F)}})) return;
  if (InsideBegin()) return;
  TMat4 M;
  if (!FrustumMatrix(L, R, B, T, N, F, M)) {
    SetGlError(GL_INVALID_VALUE);
    return;
  }
  MultiplyCurrent(M);
}

void glOrtho(GLdouble L, GLdouble R, GLdouble B, GLdouble T, GLdouble N, GLdouble F) {
  if (CompiledOnly({TListOpCode::Ortho, {}, {float(L), float(R), float(B), float(T), float(N), float(F)}})) return;
  if (InsideBegin()) return;
  TMat4 M;
  if (!OrthoMatrix(L, R, B, T, N, F, M)) {
    SetGlError(GL_INVALID_VALUE);
    return;
  }
  MultiplyCurrent(M);
}

void glBegin(GLenum Mode) {
  if (CompiledOnly({TListOpCode::Begin, {Mode}, {}})) return;
  TFixedState& S = GlState();
  if (S.InBegin) {
    SetGlError(GL_INVALID_OPERATION);
    return;
  }
  if (ClassOfMode(Mode, false) == TPrimClass::None) {
    SetGlError(GL_INVALID_ENUM);
    return;
  }
  S.InBegin = true;
  S.BeginMode = Mode;
  S.Immediate.clear();
}

void glEnd() {
  if (CompiledOnly({TListOpCode::End, {}, {}})) return;
  TFixedState& S = GlState();
  if (!S.InBegin) {
    SetGlError(GL_INVALID_OPERATION);
    return;
  }
  S.InBegin = false;
  DrawImmediate(S.BeginMode, S.Immediate.data(), int(S.Immediate.size()));
}

void glVertex2f(GLfloat X, GLfloat Y) { AddVertex(X, Y, 0, 1); }
void glVertex3f(GLfloat X, GLfloat Y, GLfloat Z) { AddVertex(X, Y, Z, 1); }
void glVertex3fv(const GLfloat* V) { AddVertex(V[0], V[1], V[2], 1); }
void glVertex4f(GLfloat X, GLfloat Y, GLfloat Z, GLfloat W) { AddVertex(X, Y, Z, W); }

// Current attributes, kept in a list being made like every other call.
void glColor4f(GLfloat R, GLfloat G, GLfloat B, GLfloat A) {
  if (CompiledOnly({TListOpCode::Colour, {}, {R, G, B, A}})) return;
  float* C = GlState().Colour;
  C[0] = R;
  C[1] = G;
  C[2] = B;
  C[3] = A;
}

void glColor3f(GLfloat R, GLfloat G, GLfloat B) { glColor4f(R, G, B, 1); }
void glColor3fv(const GLfloat* C) { glColor4f(C[0], C[1], C[2], 1); }
void glColor4fv(const GLfloat* C) { glColor4f(C[0], C[1], C[2], C[3]); }
void glColor3ub(GLubyte R, GLubyte G, GLubyte B) { glColor4f(R / 255.0f, G / 255.0f, B / 255.0f, 1); }

void glNormal3f(GLfloat X, GLfloat Y, GLfloat Z) {
  if (CompiledOnly({TListOpCode::Normal, {}, {X, Y, Z}})) return;
  float* N = GlState().Normal;
  N[0] = X;
  N[1] = Y;
  N[2] = Z;
}

void glNormal3fv(const GLfloat* N) { glNormal3f(N[0], N[1], N[2]); }

void glTexCoord2f(GLfloat S, GLfloat T) {
  if (CompiledOnly({TListOpCode::TexCoord, {}, {S, T}})) return;
  GlState().TexCoord[0] = S;
  GlState().TexCoord[1] = T;
}

}  // extern "C"
