// Model drawing: material and state at every draw, the geometry from the
// mesh's compiled lists (MeshLists.cpp); and the GL error check. Nothing here
// allocates.
#include "MerivexLib3D.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "DrawChunks.h"
#include "MeshLists.h"

namespace {

// GL's own initial material, for meshes whose material index names no material.
constexpr float DefaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr float DefaultDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr float DefaultSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr float DefaultEmission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr float DefaultShininess = 0.0f;

void SetUpMaterial(const TMaterial* M) {
  glMaterialfv(GL_FRONT, GL_AMBIENT, M ? M->Ambient : DefaultAmbient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, M ? M->Diffuse : DefaultDiffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, M ? M->Specular : DefaultSpecular);
  glMaterialfv(GL_FRONT, GL_SHININESS, M ? &M->Shininess : &DefaultShininess);
  glMaterialfv(GL_FRONT, GL_EMISSION, M ? M->Emissive : DefaultEmission);
}

}  // namespace

const TMaterial* TMS3DObj::MaterialOf(const T3DMesh& Mesh) const {
  if (Mesh.MaterialIndex < 0 || static_cast<size_t>(Mesh.MaterialIndex) >= Materials.size()) return nullptr;
  return &Materials[Mesh.MaterialIndex];
}

void TMS3DObj::Draw(bool Wireframe) {
  // Out of view, every mesh still sets its material and state; only the
  // geometry stays behind.
  hideGeometry_ = bounds_.Radius >= 0 && !SphereInView(bounds_);
  ++(hideGeometry_ ? DrawCounters.Culled : DrawCounters.Objects);
  const long trianglesBefore = DrawCounters.Triangles;
  for (size_t i = 0; i < Meshes.size(); ++i) {
    if (Wireframe) {
      DrawMeshWireframe(Meshes[i]);
      continue;
    }
    const TMaterial* next = i + 1 < Meshes.size() ? MaterialOf(Meshes[i + 1]) : nullptr;
    DrawMesh(Meshes[i], next && next->Textured);
  }
  hideGeometry_ = false;
  // An outline is three line segments, each costing a rasteriser about what a triangle does.
  NotePrimitivesSent((DrawCounters.Triangles - trianglesBefore) * (Wireframe ? 3 : 1));
}

void TMS3DObj::DrawMesh(const T3DMesh& Mesh, bool NextTextured) {
  const TMaterial* material = MaterialOf(Mesh);
  SetUpMaterial(material);

  if (material && material->Textured) {
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GEQUAL, 0.01f);
    glEnable(GL_BLEND);
    if (material->Transparent) {
      // A glow adds light but hides nothing: it writes no depth, so an object
      // drawn after it still shows through its halo. Depth writes are back on after it.
      glDepthMask(GL_FALSE);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    } else {
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glBindTexture(GL_TEXTURE_2D, material->TextureId);
    SendFilled(Mesh, true);
    if (material->Transparent) glDepthMask(GL_TRUE);
    // Turned off and on again between two textured meshes, texturing would
    // switch the rasteriser's pipeline twice for nothing: every draw sees the
    // same state either way.
    if (!NextTextured) {
      glDisable(GL_TEXTURE_2D);
      glDisable(GL_BLEND);
    }
    return;
  }

  // Untextured: blended only if the caller left blending on.
  glDisable(GL_TEXTURE_2D);
  SendFilled(Mesh, false);
  if (material && material->Transparent) glDepthMask(GL_FALSE);
  glDisable(GL_BLEND);
}

void TMS3DObj::DrawMeshWireframe(const T3DMesh& Mesh) {
  SetUpMaterial(MaterialOf(Mesh));
  SendOutlines(Mesh);
}

bool CheckGLError(IMessageSink& Messages) {
  const GLenum code = glGetError();
  if (code == GL_NO_ERROR) return true;
  const GLubyte* text = gluErrorString(code);
  Messages.ShowMessage(std::string("Error: ") + (text ? reinterpret_cast<const char*>(text) : "unknown error"));
  return false;
}
