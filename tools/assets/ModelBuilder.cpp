#include "ModelBuilder.h"

#include <algorithm>
#include <cmath>

TPoint3 operator+(TPoint3 A, TPoint3 B) { return {A.X + B.X, A.Y + B.Y, A.Z + B.Z}; }
TPoint3 operator-(TPoint3 A, TPoint3 B) { return {A.X - B.X, A.Y - B.Y, A.Z - B.Z}; }
TPoint3 operator*(TPoint3 A, float S) { return {A.X * S, A.Y * S, A.Z * S}; }
TPoint3 Cross(TPoint3 A, TPoint3 B) {
  return {A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X};
}
float Dot(TPoint3 A, TPoint3 B) { return A.X * B.X + A.Y * B.Y + A.Z * B.Z; }
float Length(TPoint3 A) { return std::sqrt(Dot(A, A)); }
TPoint3 Normalized(TPoint3 A) {
  const float length = Length(A);
  return length > 1e-12f ? A * (1.0f / length) : TPoint3{0, 1, 0};
}

namespace {

constexpr float kPi = 3.14159265358979f;

int AddVertex(TMeshRec& Mesh, TPoint3 P, float U, float V) {
  Mesh.Vertices.push_back({P, U, V});
  return int(Mesh.Vertices.size()) - 1;
}

int AddNormal(TMeshRec& Mesh, TPoint3 N) {
  Mesh.Normals.push_back(Normalized(N));
  return int(Mesh.Normals.size()) - 1;
}

bool SamePoint(TPoint3 A, TPoint3 B) { return Length(A - B) < 1e-5f; }

TPoint3 RotatePoint(TPoint3 P, int Axis, float Degrees) {
  const float a = Degrees * kPi / 180.0f, c = std::cos(a), s = std::sin(a);
  switch (Axis) {
    case 0: return {P.X, P.Y * c - P.Z * s, P.Y * s + P.Z * c};
    case 1: return {P.X * c + P.Z * s, P.Y, -P.X * s + P.Z * c};
    default: return {P.X * c - P.Y * s, P.X * s + P.Y * c, P.Z};
  }
}

void RotateMesh(TMeshRec& Mesh, int Axis, float Degrees) {
  for (auto& v : Mesh.Vertices) v.P = RotatePoint(v.P, Axis, Degrees);
  for (auto& n : Mesh.Normals) n = Normalized(RotatePoint(n, Axis, Degrees));
}

}  // namespace

TMaterialRec MakeMaterial(const std::string& Name, TColour4 Colour, const std::string& Texture) {
  TMaterialRec m;
  m.Name = Name;
  m.Ambient = {Colour.R * 0.8f, Colour.G * 0.8f, Colour.B * 0.8f, Colour.A};
  m.Diffuse = Colour;
  m.Specular = {0, 0, 0, 1};
  m.Emissive = {0, 0, 0, 1};
  m.Texture = Texture;
  return m;
}

TMeshRec& AddMesh(TModelRec& Model, const std::string& Name, int MaterialIndex) {
  Model.Meshes.push_back(TMeshRec{Name, MaterialIndex, {}, {}, {}});
  return Model.Meshes.back();
}

void AppendMesh(TMeshRec& Mesh, const TMeshRec& Part) {
  const int vertexBase = int(Mesh.Vertices.size()), normalBase = int(Mesh.Normals.size());
  Mesh.Vertices.insert(Mesh.Vertices.end(), Part.Vertices.begin(), Part.Vertices.end());
  Mesh.Normals.insert(Mesh.Normals.end(), Part.Normals.begin(), Part.Normals.end());
  for (TTriangleRec t : Part.Triangles) {
    for (int c = 0; c < 3; ++c) {
      t.Vertex[c] += vertexBase;
      t.Normal[c] += normalBase;
    }
    Mesh.Triangles.push_back(t);
  }
}

void AddFlatPolygon(TMeshRec& Mesh, const std::vector<TPoint3>& Corners, const std::vector<TPoint2>& Uvs) {
  if (Corners.size() < 3) return;
  // Newell's normal: robust for any convex polygon, whatever its first corners.
  TPoint3 normal;
  for (size_t i = 0; i < Corners.size(); ++i) normal = normal + Cross(Corners[i], Corners[(i + 1) % Corners.size()]);
  const int n = AddNormal(Mesh, normal);
  const int first = int(Mesh.Vertices.size());
  for (size_t i = 0; i < Corners.size(); ++i) {
    const TPoint2 uv = i < Uvs.size() ? Uvs[i] : TPoint2{};
    AddVertex(Mesh, Corners[i], uv.X, uv.Y);
  }
  for (int i = 1; i + 1 < int(Corners.size()); ++i)
    Mesh.Triangles.push_back({{first, first + i, first + i + 1}, {n, n, n}});
}

void AddFlatQuad(TMeshRec& Mesh, TPoint3 A, TPoint3 B, TPoint3 C, TPoint3 D) {
  AddFlatPolygon(Mesh, {A, B, C, D}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}});
}

void AddTwoSidedQuad(TMeshRec& Mesh, TPoint3 A, TPoint3 B, TPoint3 C, TPoint3 D) {
  AddFlatQuad(Mesh, A, B, C, D);
  AddFlatPolygon(Mesh, {B, A, D, C}, {{1, 1}, {0, 1}, {0, 0}, {1, 0}});
}

void AddBox(TMeshRec& Mesh, TPoint3 Min, TPoint3 Max) {
  const TPoint3 c = (Min + Max) * 0.5f, h = (Max - Min) * 0.5f;
  // Per face: outward axis, then the face's right and up directions.
  const TPoint3 faces[6][3] = {
      {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
      {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
  auto scale = [&](TPoint3 d) { return TPoint3{d.X * h.X, d.Y * h.Y, d.Z * h.Z}; };
  for (const auto& f : faces) {
    const TPoint3 o = c + scale(f[0]), r = scale(f[1]), u = scale(f[2]);
    AddFlatQuad(Mesh, o - r - u, o + r - u, o + r + u, o - r + u);
  }
}

void AddLathe(TMeshRec& Mesh, TPoint3 Centre, const std::vector<TPoint2>& Profile, int Segments, bool Smooth) {
  const int rows = int(Profile.size());
  if (rows < 2 || Segments < 3) return;
  auto point = [&](int j, int i) {
    const float a = 2 * kPi * float(j) / float(Segments);
    return Centre + TPoint3{Profile[i].X * std::sin(a), Profile[i].Y, Profile[i].X * std::cos(a)};
  };
  float low = Profile[0].Y, high = Profile[0].Y;
  for (const TPoint2& p : Profile) low = std::min(low, p.Y), high = std::max(high, p.Y);
  auto v = [&](int i) { return high > low ? (high - Profile[i].Y) / (high - low) : 0.0f; };
  if (Smooth) {
    const int first = int(Mesh.Vertices.size()), normalFirst = int(Mesh.Normals.size()) - first;
    for (int i = 0; i < rows; ++i) {
      const TPoint2 t{Profile[std::min(i + 1, rows - 1)].X - Profile[std::max(i - 1, 0)].X,
                      Profile[std::min(i + 1, rows - 1)].Y - Profile[std::max(i - 1, 0)].Y};
      for (int j = 0; j <= Segments; ++j) {
        const float a = 2 * kPi * float(j) / float(Segments);
        AddVertex(Mesh, point(j, i), float(j) / float(Segments), v(i));
        AddNormal(Mesh, {t.Y * std::sin(a), -t.X, t.Y * std::cos(a)});
      }
    }
    auto at = [&](int j, int i) { return first + i * (Segments + 1) + j; };
    for (int i = 0; i + 1 < rows; ++i)
      for (int j = 0; j < Segments; ++j) {
        const int a = at(j, i), b = at(j + 1, i), c = at(j + 1, i + 1), d = at(j, i + 1);
        if (Profile[i].X > 1e-6f) Mesh.Triangles.push_back({{a, b, c}, {a + normalFirst, b + normalFirst, c + normalFirst}});
        if (Profile[i + 1].X > 1e-6f)
          Mesh.Triangles.push_back({{a, c, d}, {a + normalFirst, c + normalFirst, d + normalFirst}});
      }
    return;
  }
  for (int i = 0; i + 1 < rows; ++i)
    for (int j = 0; j < Segments; ++j) {
      const TPoint3 a = point(j, i), b = point(j + 1, i), c = point(j + 1, i + 1), d = point(j, i + 1);
      const float u0 = float(j) / float(Segments), u1 = float(j + 1) / float(Segments);
      std::vector<TPoint3> corners;
      std::vector<TPoint2> uvs;
      auto add = [&](TPoint3 p, float u, float vv) {
        if (!corners.empty() && SamePoint(corners.back(), p)) return;
        corners.push_back(p);
        uvs.push_back({u, vv});
      };
      add(a, u0, v(i));
      add(b, u1, v(i));
      add(c, u1, v(i + 1));
      add(d, u0, v(i + 1));
      if (corners.size() > 3 && SamePoint(corners.front(), corners.back())) corners.pop_back(), uvs.pop_back();
      AddFlatPolygon(Mesh, corners, uvs);
    }
}

void AddEllipsoid(TMeshRec& Mesh, TPoint3 Centre, TPoint3 Radii, int Segments, int Rings) {
  std::vector<TPoint2> profile;
  for (int i = 0; i <= Rings; ++i) {
    const float phi = kPi * float(i) / float(Rings);
    profile.push_back({std::sin(phi), -std::cos(phi)});
  }
  profile.front().X = profile.back().X = 0;
  TMeshRec part;
  AddLathe(part, {}, profile, Segments, true);
  ScaleMesh(part, Radii);
  TranslateMesh(part, Centre);
  AppendMesh(Mesh, part);
}

void AddExtrusion(TMeshRec* Front, TMeshRec* Back, TMeshRec* Sides, const std::vector<TPoint2>& Outline, float Z0,
                  float Z1, float UvScale) {
  const size_t n = Outline.size();
  std::vector<TPoint3> corners;
  std::vector<TPoint2> uvs;
  if (Front) {
    for (const TPoint2& p : Outline) {
      corners.push_back({p.X, p.Y, Z1});
      uvs.push_back({p.X * UvScale, -p.Y * UvScale});
    }
    AddFlatPolygon(*Front, corners, uvs);
  }
  if (Back) {
    corners.clear();
    uvs.clear();
    for (size_t i = n; i-- > 0;) {
      corners.push_back({Outline[i].X, Outline[i].Y, Z0});
      uvs.push_back({-Outline[i].X * UvScale, -Outline[i].Y * UvScale});
    }
    AddFlatPolygon(*Back, corners, uvs);
  }
  if (Sides)
    for (size_t i = 0; i < n; ++i) {
      const TPoint2 p = Outline[i], q = Outline[(i + 1) % n];
      const float edge = std::hypot(q.X - p.X, q.Y - p.Y) * UvScale, depth = (Z1 - Z0) * UvScale;
      AddFlatPolygon(*Sides, {{p.X, p.Y, Z0}, {q.X, q.Y, Z0}, {q.X, q.Y, Z1}, {p.X, p.Y, Z1}},
                     {{0, depth}, {edge, depth}, {edge, 0}, {0, 0}});
    }
}

void AddStar(TMeshRec& Mesh, int Points, float Outer, float Inner, float Depth) {
  std::vector<TPoint3> rim;
  for (int i = 0; i < 2 * Points; ++i) {
    const float a = kPi * 0.5f + kPi * float(i) / float(Points), r = (i % 2 == 0) ? Outer : Inner;
    rim.push_back({r * std::cos(a), r * std::sin(a), 0});
  }
  const TPoint3 front{0, 0, Depth}, back{0, 0, -Depth};
  for (size_t i = 0; i < rim.size(); ++i) {
    const TPoint3 a = rim[i], b = rim[(i + 1) % rim.size()];
    AddFlatPolygon(Mesh, {front, a, b}, {{0.5f, 0.5f}, {0, 1}, {1, 1}});
    AddFlatPolygon(Mesh, {back, b, a}, {{0.5f, 0.5f}, {1, 1}, {0, 1}});
  }
}

void TranslateMesh(TMeshRec& Mesh, TPoint3 Offset) {
  for (auto& v : Mesh.Vertices) v.P = v.P + Offset;
}
void RotateMeshX(TMeshRec& Mesh, float Degrees) { RotateMesh(Mesh, 0, Degrees); }
void RotateMeshY(TMeshRec& Mesh, float Degrees) { RotateMesh(Mesh, 1, Degrees); }
void RotateMeshZ(TMeshRec& Mesh, float Degrees) { RotateMesh(Mesh, 2, Degrees); }

void ScaleMesh(TMeshRec& Mesh, TPoint3 Factors) {
  for (auto& v : Mesh.Vertices) v.P = {v.P.X * Factors.X, v.P.Y * Factors.Y, v.P.Z * Factors.Z};
  // Normals take the inverse scale so that they stay perpendicular to the surface.
  for (auto& n : Mesh.Normals) n = Normalized({n.X / Factors.X, n.Y / Factors.Y, n.Z / Factors.Z});
}

void ProjectUvFront(TMeshRec& Mesh, float MinX, float MaxX, float MinY, float MaxY) {
  for (auto& v : Mesh.Vertices) {
    v.U = (v.P.X - MinX) / (MaxX - MinX);
    v.V = (MaxY - v.P.Y) / (MaxY - MinY);
  }
}

TBoundsRec MeshBounds(const TMeshRec& Mesh) {
  TBoundsRec b;
  b.Min = {1e30f, 1e30f, 1e30f};
  b.Max = {-1e30f, -1e30f, -1e30f};
  for (const auto& v : Mesh.Vertices) {
    b.Min = {std::min(b.Min.X, v.P.X), std::min(b.Min.Y, v.P.Y), std::min(b.Min.Z, v.P.Z)};
    b.Max = {std::max(b.Max.X, v.P.X), std::max(b.Max.Y, v.P.Y), std::max(b.Max.Z, v.P.Z)};
    b.Radius = std::max(b.Radius, Length(v.P));
  }
  return b;
}

TBoundsRec ModelBounds(const TModelRec& Model) {
  TBoundsRec all;
  all.Min = {1e30f, 1e30f, 1e30f};
  all.Max = {-1e30f, -1e30f, -1e30f};
  for (const auto& mesh : Model.Meshes) {
    const TBoundsRec b = MeshBounds(mesh);
    all.Min = {std::min(all.Min.X, b.Min.X), std::min(all.Min.Y, b.Min.Y), std::min(all.Min.Z, b.Min.Z)};
    all.Max = {std::max(all.Max.X, b.Max.X), std::max(all.Max.Y, b.Max.Y), std::max(all.Max.Z, b.Max.Z)};
    all.Radius = std::max(all.Radius, b.Radius);
  }
  return all;
}
