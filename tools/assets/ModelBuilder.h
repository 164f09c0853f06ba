// In-memory models as the generator builds them, and the shape helpers that
// fill them. Everything is plain data: ModelText.h turns a TModelRec into the
// model text layout the game reads.
//
// Conventions: y is up, the floor is y = 0, the front of a model that always
// faces the viewer is +z. Triangles run counter-clockwise seen from outside
// (the game culls back faces). Flat faces get vertices of their own, because
// textured drawing lights a vertex with the one normal stored on it.
#pragma once
#include <string>
#include <vector>

struct TPoint3 {
  float X = 0, Y = 0, Z = 0;
};
TPoint3 operator+(TPoint3 A, TPoint3 B);
TPoint3 operator-(TPoint3 A, TPoint3 B);
TPoint3 operator*(TPoint3 A, float S);
TPoint3 Cross(TPoint3 A, TPoint3 B);
float Dot(TPoint3 A, TPoint3 B);
float Length(TPoint3 A);
TPoint3 Normalized(TPoint3 A);

struct TPoint2 {
  float X = 0, Y = 0;
};

struct TVertexRec {
  TPoint3 P;
  float U = 0, V = 0;
};

struct TTriangleRec {
  int Vertex[3] = {0, 0, 0};
  int Normal[3] = {0, 0, 0};
};

struct TMeshRec {
  std::string Name;  // written between quotes; no spaces
  int MaterialIndex = 0;
  std::vector<TVertexRec> Vertices;
  std::vector<TPoint3> Normals;
  std::vector<TTriangleRec> Triangles;
};

struct TColour4 {
  float R = 0, G = 0, B = 0, A = 1;
};

struct TMaterialRec {
  std::string Name;  // "Masked" makes the texture colour-keyed
  TColour4 Ambient, Diffuse, Specular, Emissive;
  float Shininess = 0;
  float Transparency = 1;  // anything but 1 draws additively (textured)
  std::string Texture;     // bitmap file name, empty for none
};

struct TModelRec {
  std::vector<TMeshRec> Meshes;
  std::vector<TMaterialRec> Materials;
};

// A material with ambient and diffuse from one colour (ambient a little darker).
TMaterialRec MakeMaterial(const std::string& Name, TColour4 Colour, const std::string& Texture = "");

// Adds a mesh using material MaterialIndex and returns it (valid until the next AddMesh).
TMeshRec& AddMesh(TModelRec& Model, const std::string& Name, int MaterialIndex);

// Flat convex polygon, counter-clockwise seen from its front; UVs per corner.
void AddFlatPolygon(TMeshRec& Mesh, const std::vector<TPoint3>& Corners, const std::vector<TPoint2>& Uvs);
// Flat quad A-B-C-D (counter-clockwise from the front) with the whole texture on it.
void AddFlatQuad(TMeshRec& Mesh, TPoint3 A, TPoint3 B, TPoint3 C, TPoint3 D);
// Both sides of a quad: front as given, back mirrored.
void AddTwoSidedQuad(TMeshRec& Mesh, TPoint3 A, TPoint3 B, TPoint3 C, TPoint3 D);
// Axis-aligned box, six flat faces; each face carries the texture once.
void AddBox(TMeshRec& Mesh, TPoint3 Min, TPoint3 Max);

// Surface of revolution about the y axis through Centre. Profile points are
// (radius, height) from bottom to top; U runs once around, V from the top (0) to
// the bottom (1) by height. Smooth shares vertices and averages normals; flat gives every
// quad its own vertices.
void AddLathe(TMeshRec& Mesh, TPoint3 Centre, const std::vector<TPoint2>& Profile, int Segments, bool Smooth);
// Ellipsoid with the given radii, smooth; UV as AddLathe.
void AddEllipsoid(TMeshRec& Mesh, TPoint3 Centre, TPoint3 Radii, int Segments, int Rings);
// Convex polygon in the x-y plane extruded from z0 (back) to z1 (front).
// The parts go to separate meshes so that callers can order them; a null
// mesh skips that part. Cap UVs map the polygon's x, y through UvScale.
void AddExtrusion(TMeshRec* Front, TMeshRec* Back, TMeshRec* Sides, const std::vector<TPoint2>& Outline, float Z0,
                  float Z1, float UvScale);

// A star in the x-y plane with Points tips (the first straight up), pointed
// towards +z and -z by Depth; every face flat.
void AddStar(TMeshRec& Mesh, int Points, float Outer, float Inner, float Depth);

// Appends every vertex, normal and triangle of Part to Mesh.
void AppendMesh(TMeshRec& Mesh, const TMeshRec& Part);

// Moves, turns (degrees about x, then y) and scales a finished mesh; normals follow.
void TranslateMesh(TMeshRec& Mesh, TPoint3 Offset);
void RotateMeshX(TMeshRec& Mesh, float Degrees);
void RotateMeshY(TMeshRec& Mesh, float Degrees);
void RotateMeshZ(TMeshRec& Mesh, float Degrees);
void ScaleMesh(TMeshRec& Mesh, TPoint3 Factors);

// Projects texture coordinates onto the x-y plane: (MinX, MaxY) maps to (0, 0)
// and (MaxX, MinY) to (1, 1), so the picture faces +z upright.
void ProjectUvFront(TMeshRec& Mesh, float MinX, float MaxX, float MinY, float MaxY);

// Axis-aligned bounds and the largest vertex distance from the origin.
struct TBoundsRec {
  TPoint3 Min, Max;
  float Radius = 0;
};
TBoundsRec MeshBounds(const TMeshRec& Mesh);
TBoundsRec ModelBounds(const TModelRec& Model);
