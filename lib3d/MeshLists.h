// Compiled meshes and the view test. At load every mesh's geometry goes into
// two GL display lists (filled, and the outline as separate line segments), so
// a draw sends one call instead of every vertex; the material and the other
// state stay with the draw. A model whose bounding sphere lies wholly outside
// the view skips its geometry. Where no list can be made, drawing falls back
// to immediate mode with the same vertices in the same order.
#pragma once
#include "MerivexLib3DTypes.h"

// What the draws since the last reset did (for the benchmark and tests).
struct TDrawCounters {
  long Objects = 0;    // model draws whose geometry was sent
  long Culled = 0;     // model draws that lay wholly outside the view
  long Triangles = 0;  // triangles sent, filled or as outlines
};
extern TDrawCounters DrawCounters;

// The corners of one triangle as the draw sends them: texture coordinate and
// vertex normal when Textured, else the corner's own normal. False (nothing
// sent) when a corner names no entry of the mesh's drawing arrays.
bool SendTriangle(const T3DTriangle& T, const T3DMesh& Mesh, bool Textured);
// The outline of one triangle: segments 1-2, 2-3, 3-1 inside a GL_LINES block,
// each with the corners' normals, in the order a per-triangle loop draws them.
bool SendOutline(const T3DTriangle& T, const T3DMesh& Mesh);

// Makes both lists of Mesh in the names First (filled, textured or not) and
// First + 1 (outline).
void CompileMesh(T3DMesh& Mesh, unsigned First, bool Textured);

// A sphere around every drawing vertex of the meshes: centre of their box,
// radius to the farthest one. Radius < 0 when there are no vertices.
struct TBoundingSphere {
  float X = 0, Y = 0, Z = 0, Radius = -1;
};
TBoundingSphere BoundingSphereOf(const std::vector<T3DMesh>& Meshes);

// False when the sphere, in model coordinates, lies wholly outside the view
// volume of the current projection and modelview matrices. The sides are
// taken a little wider than the view, so that wide lines and points at the
// edge of the picture keep their pixels.
bool SphereInView(const TBoundingSphere& Sphere);
