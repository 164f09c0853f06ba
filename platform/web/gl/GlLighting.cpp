// The entry points for the light and the material. Light 0 is the one light
// drawn; its position is kept in eye coordinates, taken through the
// model-view matrix in force when it is set, as GL does.
#include <GL/gl.h>

#include <algorithm>

#include "GlLists.h"
#include "GlState.h"

namespace {

bool InsideBegin() {
  if (!GlState().InBegin) return false;
  SetGlError(GL_INVALID_OPERATION);
  return true;
}

int ValueCount(GLenum Name) {
  switch (Name) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_POSITION:
    case GL_EMISSION:
    case GL_AMBIENT_AND_DIFFUSE:
      return 4;
    default:
      return 1;
  }
}

TListOp ListOp(TListOpCode Code, GLenum A, GLenum B, const GLfloat* Values) {
  TListOp Op{Code, {A, B}, {}};
  std::copy(Values, Values + ValueCount(B), Op.F);
  return Op;
}

}  // namespace

extern "C" {

void glLightfv(GLenum Light, GLenum Name, const GLfloat* Values) {
  if (CompiledOnly(ListOp(TListOpCode::Light, Light, Name, Values))) return;
  if (InsideBegin()) return;
  if (Light != GL_LIGHT0) return SetGlError(GL_INVALID_ENUM);
  TLightState& L = GlState().Light;
  float* Target = nullptr;
  switch (Name) {
    case GL_AMBIENT: Target = L.Ambient; break;
    case GL_DIFFUSE: Target = L.Diffuse; break;
    case GL_SPECULAR: Target = L.Specular; break;
    case GL_POSITION: Target = L.Position; break;
    default: return SetGlError(GL_INVALID_ENUM);
  }
  if (Name == GL_POSITION) {
    const float In[4] = {Values[0], Values[1], Values[2], Values[3]};
    TFixedState& S = GlState();
    float Eye[4];
    TransformPoint(S.ModelView[S.ModelViewTop], In, Eye);
    SetFloats(L.Position, Eye, 4);
    return;
  }
  SetFloats(Target, Values, 4);
}

void glLightModelfv(GLenum Name, const GLfloat* Values) {
  if (CompiledOnly(ListOp(TListOpCode::LightModel, Name, GL_AMBIENT, Values))) return;
  if (InsideBegin()) return;
  if (Name != GL_LIGHT_MODEL_AMBIENT) return SetGlError(GL_INVALID_ENUM);
  SetFloats(GlState().SceneAmbient, Values, 4);
}

void glMaterialfv(GLenum Face, GLenum Name, const GLfloat* Values) {
  if (CompiledOnly(ListOp(TListOpCode::Material, Face, Name, Values))) return;
  if (InsideBegin()) return;
  if (Face != GL_FRONT && Face != GL_BACK && Face != GL_FRONT_AND_BACK) return SetGlError(GL_INVALID_ENUM);
  if (Name == GL_SHININESS && (Values[0] < 0 || Values[0] > 128)) return SetGlError(GL_INVALID_VALUE);
  // Two-sided lighting is off, so the back material is never seen.
  if (Face == GL_BACK) return;
  TMaterialState& M = GlState().Material;
  switch (Name) {
    case GL_AMBIENT: SetFloats(M.Ambient, Values, 4); break;
    case GL_DIFFUSE: SetFloats(M.Diffuse, Values, 4); break;
    case GL_SPECULAR: SetFloats(M.Specular, Values, 4); break;
    case GL_EMISSION: SetFloats(M.Emission, Values, 4); break;
    case GL_SHININESS: SetFloats(&M.Shininess, Values, 1); break;
    case GL_AMBIENT_AND_DIFFUSE:
      SetFloats(M.Ambient, Values, 4);
      SetFloats(M.Diffuse, Values, 4);
      break;
    default: SetGlError(GL_INVALID_ENUM); break;
  }
}

void glMaterialf(GLenum Face, GLenum Name, GLfloat Value) {
  if (Name != GL_SHININESS) return SetGlError(GL_INVALID_ENUM);
  glMaterialfv(Face, Name, &Value);
}

}  // extern "C"
