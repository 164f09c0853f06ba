#include "MeshLists.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "MerivexLib3D.h"

TDrawCounters DrawCounters;

namespace {

// The sides of the view are pushed out by this share of its half-width, about
// 25 pixels at 1024 across: far more than a wide line or point reaches.
constexpr float SideSlack = 0.05f;

// True when every corner of T names an entry of the mesh's drawing arrays.
// Loading rejects other triangles; this keeps a changed model from reading
// outside the arrays.
bool CornersInside(const T3DTriangle& T, const T3DMesh& Mesh) {
  for (int k = 0; k < 3; ++k) {
    if (static_cast<size_t>(T.VertexIndices[k]) >= Mesh.DrawVertices.size() ||
        static_cast<size_t>(T.NormalIndices[k]) >= Mesh.DrawNormals.size())
      return false;
  }
  return true;
}

void SendCorner(const T3DTriangle& T, const T3DMesh& Mesh, int K) {
  const TVec3& n = Mesh.DrawNormals[T.NormalIndices[K]];
  const T3DVertex& v = Mesh.DrawVertices[T.VertexIndices[K]];
  glNormal3f(n.x, n.y, n.z);
  glVertex3f(v.X, v.Y, v.Z);
}

}  // namespace

bool SendTriangle(const T3DTriangle& T, const T3DMesh& Mesh, bool Textured) {
  if (!CornersInside(T, Mesh)) return false;
  for (int k = 0; k < 3; ++k) {
    if (Textured) {
      // Textured meshes are lit with the one normal stored on each vertex.
      const T3DVertex& v = Mesh.DrawVertices[T.VertexIndices[k]];
      glTexCoord2f(v.U, v.V);
      glNormal3f(v.Normal.x, v.Normal.y, v.Normal.z);
      glVertex3f(v.X, v.Y, v.Z);
    } else {
      SendCorner(T, Mesh, k);
    }
  }
  return true;
}

bool SendOutline(const T3DTriangle& T, const T3DMesh& Mesh) {
  if (!CornersInside(T, Mesh)) return false;
  // Each segment ends on the corner a loop would end it on, so flat shading
  // takes the same corner's colour.
  for (int k = 0; k < 3; ++k) {
    SendCorner(T, Mesh, k);
    SendCorner(T, Mesh, (k + 1) % 3);
  }
  return true;
}

void CompileMesh(T3DMesh& Mesh, unsigned First, bool Textured) {
  glNewList(First, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  for (const T3DTriangle& t : Mesh.Triangles) SendTriangle(t, Mesh, Textured);
  glEnd();
  glEndList();
  glNewList(First + 1, GL_COMPILE);
  glBegin(GL_LINES);
  for (const T3DTriangle& t : Mesh.Triangles) SendOutline(t, Mesh);
  glEnd();
  glEndList();
  Mesh.FilledList = First;
  Mesh.OutlineList = First + 1;
  Mesh.FilledListTextured = Textured;
}

TBoundingSphere BoundingSphereOf(const std::vector<T3DMesh>& Meshes) {
  double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  for (const T3DMesh& m : Meshes)
    for (const T3DVertex& v : m.DrawVertices) {
      const double p[3] = {v.X, v.Y, v.Z};
      for (int i = 0; i < 3; ++i) {
        lo[i] = std::min(lo[i], p[i]);
        hi[i] = std::max(hi[i], p[i]);
      }
    }
  TBoundingSphere s;
  if (lo[0] > hi[0]) return s;
  const double c[3] = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
  double r2 = 0;
  for (const T3DMesh& m : Meshes)
    for (const T3DVertex& v : m.DrawVertices) {
      const double d[3] = {v.X - c[0], v.Y - c[1], v.Z - c[2]};
      r2 = std::max(r2, d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    }
  s.X = float(c[0]);
  s.Y = float(c[1]);
  s.Z = float(c[2]);
  // A hair larger, so rounding the centre to floats never cuts a vertex off.
  s.Radius = float(std::sqrt(r2) * 1.0001 + 1e-4);
  return s;
}

bool SphereInView(const TBoundingSphere& S) {
  // Clip coordinates of a model point are M = P x MV times the point; the view
  // is -w <= x, y, z <= w, so each side is a plane of M's rows in model space.
  float mv[16], p[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, mv);
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  double row[4][4];  // row[i][j] = M(i, j); GL matrices are column-major
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += double(p[k * 4 + i]) * mv[j * 4 + k];
      row[i][j] = sum;
    }
  for (int axis = 0; axis < 3; ++axis) {
    const double widen = axis < 2 ? 1.0 + SideSlack : 1.0;
    for (int sign = -1; sign <= 1; sign += 2) {
      double plane[4];
      for (int j = 0; j < 4; ++j) plane[j] = widen * row[3][j] + sign * row[axis][j];
      const double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
      const double distance = plane[0] * S.X + plane[1] * S.Y + plane[2] * S.Z + plane[3];
      if (distance < -double(S.Radius) * length * 1.0001) return false;
    }
  }
  return true;
}

void TMS3DObj::CompileMeshes() {
  deleteLists_ = &TMS3DObj::DeleteMeshLists;
  DeleteMeshLists();
  bounds_ = BoundingSphereOf(Meshes);
  // A mesh without triangles sends nothing: it gets no lists, and its draws
  // only set its material.
  size_t filled = 0;
  for (const T3DMesh& mesh : Meshes) filled += mesh.Triangles.empty() ? 0 : 1;
  if (filled == 0) return;
  const GLsizei count = static_cast<GLsizei>(2 * filled);
  const GLuint base = glGenLists(count);
  if (base == 0) return;  // no lists: every draw sends its vertices
  listBase_ = base;
  listCount_ = count;
  unsigned next = base;
  for (T3DMesh& mesh : Meshes) {
    if (mesh.Triangles.empty()) continue;
    const TMaterial* material = MaterialOf(mesh);
    CompileMesh(mesh, next, material && material->Textured);
    next += 2;
  }
}

void TMS3DObj::DeleteMeshLists() {
  if (listBase_ != 0) glDeleteLists(listBase_, listCount_);
  listBase_ = 0;
  listCount_ = 0;
  for (T3DMesh& m : Meshes) m.FilledList = m.OutlineList = 0;
}

void TMS3DObj::SendFilled(const T3DMesh& Mesh, bool Textured) {
  if (hideGeometry_ || Mesh.Triangles.empty()) return;
  DrawCounters.Triangles += static_cast<long>(Mesh.Triangles.size());
  if (Mesh.FilledList != 0 && Mesh.FilledListTextured == Textured) {
    glCallList(Mesh.FilledList);
    return;
  }
  glBegin(GL_TRIANGLES);
  for (const T3DTriangle& t : Mesh.Triangles) SendTriangle(t, Mesh, Textured);
  glEnd();
}

void TMS3DObj::SendOutlines(const T3DMesh& Mesh) {
  if (hideGeometry_ || Mesh.Triangles.empty()) return;
  DrawCounters.Triangles += static_cast<long>(Mesh.Triangles.size());
  if (Mesh.OutlineList != 0) {
    glCallList(Mesh.OutlineList);
    return;
  }
  glBegin(GL_LINES);
  for (const T3DTriangle& t : Mesh.Triangles) SendOutline(t, Mesh);
  glEnd();
}
