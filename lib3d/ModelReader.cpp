// The model text reader: a positional state machine driven by the counts in
// the file. It never compares the words on a line, only takes the tokens at
// fixed positions.
#include "MerivexLib3D.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "ModelLoad.h"
#include "ModelTokens.h"
#include "ReadableFile.h"
#include "Texture.h"

namespace {

// Counts size arrays before their entries are read, so a bogus count could
// ask for any amount of memory; a model may size at most this many bytes (a
// backstop: the budgets of ModelLoad.h hold a model to far less).
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// The fuzz targets check the same paths on a smaller budget, so that an input
// with a huge count does not spend its time filling memory.
constexpr uint64_t MaxModelBytes = 64ull << 10;
#else
constexpr uint64_t MaxModelBytes = 64ull << 20;
#endif

bool EqualsIgnoringCase(const std::string& A, const char* B) {
  size_t i = 0;
  for (; i < A.size() && B[i]; ++i) {
    char a = A[i], b = B[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return i == A.size() && B[i] == '\0';
}

void ReadColour(const std::string& Line, float (&Colour)[4]) {
  for (int k = 0; k < 4; ++k) Colour[k] = GetFloatToken(Line, k + 1);
}

}  // namespace

void TMS3DObj::ReadFromFile(const std::string& Name, const std::string& Folder, IMessageSink& Messages,
                            TModelLoad* Load) {
  FileName = Name;
  std::string text;
  try {
    // Far more than a model within the budgets needs, and read before any of it is parsed.
    static const std::string tooLarge =
        "Model too large: file over " + std::to_string(MaxModelFileBytes >> 20) + " MB";
    text = TReadableFile(JoinPath(Folder, Name)).ReadAll(MaxModelFileBytes, tooLarge.c_str());
  } catch (const std::exception& e) {
    throw ELoadError(Name, e.what());
  }
  ReadAndResolve(Name, text, Folder, Messages, Load);
}

void TMS3DObj::ReadAndResolve(const std::string& Name, std::string_view Text, const std::string& Folder,
                              IMessageSink& Messages, TModelLoad* Load) {
  TModelLoad own;
  TModelLoad& load = Load ? *Load : own;
  try {
    Read(Name, Text, &load);
  } catch (const ELoadError&) {
    // The texture lines before the fault come first in the file, so a bad
    // one among them is the error to report.
    ResolveTextures(Folder, Messages, &load);
    throw;
  }
  ResolveTextures(Folder, Messages, &load);
}

void TMS3DObj::Read(const std::string& Name, std::string_view Text, TModelLoad* Load) {
  TModelLoad own;
  load_ = Load ? Load : &own;
  struct TForget {
    TModelLoad*& Load;
    ~TForget() { Load = nullptr; }
  } forget{load_};
  ParseState = 0;
  MeshState = 0;
  FileName = Name;
  texturesNamed_ = 0;
  sizedBytes_ = 0;
  MaxRadius = 0;
  try {
    std::string line;
    size_t start = 0;
    while (ParseState != 6 && start < Text.size()) {
      // A line ends at LF or at the end of the text; a CR right before
      // either belongs to the line end.
      size_t end = Text.find('\n', start);
      if (end == std::string_view::npos) end = Text.size();
      std::string_view view = Text.substr(start, end - start);
      if (!view.empty() && view.back() == '\r') view.remove_suffix(1);
      start = end + 1;
      // Blank and comment lines are skipped before anything is copied.
      if (view.empty()) continue;
      if (view.size() > 1 && view[0] == '/' && view[1] == '/') continue;
      line.assign(view);
      ParseLine(line);
    }
    CheckTriangleIndices();
    // An empty, cut or damaged file leaves nothing to draw.
    if (TrianglesRead() == 0) throw ELoadError(Name, "Model has no triangles");
    load_->AddSurface(Surface());
    MaxRadius = LastMeshRadius();
    AssignVertexNormals();
    CopyDrawArrays();
  } catch (const ELoadError&) {
    throw;
  } catch (const std::exception& e) {
    throw ELoadError(Name, e.what());
  }
}

int64_t TMS3DObj::TrianglesRead() const {
  int64_t count = 0;
  for (const T3DMesh& mesh : Meshes) count += mesh.TriangleCounter;
  return count;
}

double TMS3DObj::Surface() const {
  // In double: coordinates up to the float range square without overflow.
  double surface = 0;
  for (const T3DMesh& mesh : Meshes)
    for (int32_t i = 0; i < mesh.TriangleCounter; ++i) {
      const T3DTriangle& t = mesh.Triangles[size_t(i)];
      const T3DVertex& a = mesh.Vertices[size_t(t.VertexIndices[0])];
      const T3DVertex& b = mesh.Vertices[size_t(t.VertexIndices[1])];
      const T3DVertex& c = mesh.Vertices[size_t(t.VertexIndices[2])];
      const double ux = double(b.X) - a.X, uy = double(b.Y) - a.Y, uz = double(b.Z) - a.Z;
      const double vx = double(c.X) - a.X, vy = double(c.Y) - a.Y, vz = double(c.Z) - a.Z;
      const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
      surface += 0.5 * std::sqrt(nx * nx + ny * ny + nz * nz);
    }
  return surface;
}

void TMS3DObj::CheckReach(const T3DVertex& V) const {
  // Written so that a NaN is out of reach too.
  const auto within = [](float C) { return std::fabs(C) <= MaxModelCoordinate; };
  if (!(within(V.X) && within(V.Y) && within(V.Z)))
    throw EOverBudget("a vertex coordinate over " + std::to_string(int(MaxModelCoordinate)) + " units");
}

float TMS3DObj::LastMeshRadius() const {
  // The collision radius is measured on the last mesh, as the game's models
  // are made (the obstacle's last mesh is its footprint), but only on the
  // vertices its triangles draw: a vertex no triangle uses is not the model,
  // and a mesh without triangles (or one a cut file never reached) draws none.
  float radius = 0;
  auto last = std::find_if(Meshes.rbegin(), Meshes.rend(), [](const T3DMesh& M) { return M.TriangleCounter > 0; });
  if (last == Meshes.rend()) return radius;
  const T3DMesh& mesh = *last;
  for (int32_t i = 0; i < mesh.TriangleCounter; ++i)
    for (const int32_t index : mesh.Triangles[size_t(i)].VertexIndices) {
      const T3DVertex& v = mesh.Vertices[size_t(index)];
      const double xx = v.X, yy = v.Y, zz = v.Z;
      radius = std::max(radius, static_cast<float>(std::sqrt(xx * xx + yy * yy + zz * zz)));
    }
  return radius;
}

int32_t TMS3DObj::ReadCount(const std::string& Line, int Token, size_t BytesPerEntry, TCounted What) {
  const int32_t n = GetIntToken(Line, Token);
  if (n < 0) throw std::runtime_error("Negative count");
  const auto perModel = [n](int32_t Limit, const char* Things) {
    if (n > Limit) throw EOverBudget("over " + std::to_string(Limit) + " " + Things);
  };
  switch (What) {
    case TCounted::Meshes:
      perModel(MaxModelMeshes, "meshes");
      load_->Add(TModelLoad::TCount::Meshes, n);
      break;
    case TCounted::Materials: perModel(MaxModelMaterials, "materials"); break;
    case TCounted::Bones: perModel(MaxModelBones, "bones"); break;
    case TCounted::Vertices: load_->Add(TModelLoad::TCount::Vertices, n); break;
    case TCounted::Normals: load_->Add(TModelLoad::TCount::Normals, n); break;
    case TCounted::Triangles: load_->Add(TModelLoad::TCount::Triangles, n); break;
  }
  sizedBytes_ += static_cast<uint64_t>(n) * BytesPerEntry;
  if (sizedBytes_ > MaxModelBytes) throw std::runtime_error("Model too large");
  return n;
}

std::string TMS3DObj::NameToken(const std::string& Line, int N) const {
  const std::string_view token = TokenView(Line, N);
  if (token.size() > MaxNameBytes)
    throw std::runtime_error("Name too long: over " + std::to_string(MaxNameBytes) + " bytes");
  return std::string(token);
}

void TMS3DObj::ParseLine(const std::string& Line) {
  switch (ParseState) {
    case 0:
      NumFrames = GetIntToken(Line, 2);
      ParseState = 1;
      break;
    case 1:
      CurrentFrame = GetIntToken(Line, 2);
      ParseState = 2;
      break;
    case 2: {
      const int32_t n = ReadCount(Line, 2, sizeof(T3DMesh), TCounted::Meshes);
      NumMeshes = n;
      Meshes.assign(n, T3DMesh());
      CurrentMesh = 0;
      if (n == 0) {
        ParseState = 4;
        MaterialState = 0;
      } else {
        ParseState = 3;
        MeshState = 0;
      }
      break;
    }
    case 3:
      ParseMeshLine(Line);
      break;
    case 4:
      ParseMaterialLine(Line);
      break;
    case 5:
      ParseBoneLine(Line);
      break;
    default:
      break;
  }
}

void TMS3DObj::ParseMeshLine(const std::string& Line) {
  T3DMesh& mesh = Meshes[CurrentMesh];
  switch (MeshState) {
    case 0:
      mesh.Name = NameToken(Line, 1);
      mesh.Flags = GetIntToken(Line, 2);
      mesh.MaterialIndex = GetIntToken(Line, 3);
      MeshState = 1;
      break;
    case 1: {
      const int32_t n = ReadCount(Line, 1, 2 * sizeof(T3DVertex), TCounted::Vertices);
      mesh.NumVertices = n;
      mesh.Vertices.assign(n, T3DVertex());
      mesh.DrawVertices.assign(n, T3DVertex());
      mesh.VertexCounter = 0;
      MeshState = n == 0 ? 3 : 2;
      break;
    }
    case 2: {
      T3DVertex& v = mesh.Vertices[mesh.VertexCounter];
      v.Flags = GetIntToken(Line, 1);
      v.X = GetFloatToken(Line, 2);
      v.Y = GetFloatToken(Line, 3);
      v.Z = GetFloatToken(Line, 4);
      CheckReach(v);
      if (v.X > MaxX) MaxX = v.X;
      if (v.X < MinX) MinX = v.X;
      if (v.Y > MaxY) MaxY = v.Y;
      if (v.Y < MinY) MinY = v.Y;
      if (v.Z > MaxZ) MaxZ = v.Z;
      if (v.Z < MinZ) MinZ = v.Z;
      v.U = GetFloatToken(Line, 5);
      v.V = GetFloatToken(Line, 6);
      v.BoneIndex = GetIntToken(Line, 7);
      if (++mesh.VertexCounter == mesh.NumVertices) MeshState = 3;
      break;
    }
    case 3: {
      const int32_t n = ReadCount(Line, 1, 2 * sizeof(TVec3), TCounted::Normals);
      mesh.NumNormals = n;
      mesh.Normals.assign(n, TVec3());
      mesh.DrawNormals.assign(n, TVec3());
      mesh.NormalCounter = 0;
      MeshState = n == 0 ? 5 : 4;
      break;
    }
    case 4: {
      TVec3& normal = mesh.Normals[mesh.NormalCounter];
      normal.x = GetFloatToken(Line, 1);
      normal.y = GetFloatToken(Line, 2);
      normal.z = GetFloatToken(Line, 3);
      if (++mesh.NormalCounter == mesh.NumNormals) MeshState = 5;
      break;
    }
    case 5: {
      const int32_t n = ReadCount(Line, 1, sizeof(T3DTriangle), TCounted::Triangles);
      mesh.NumTriangles = n;
      mesh.Triangles.assign(n, T3DTriangle());
      mesh.TriangleCounter = 0;
      if (n == 0) FinishMesh();
      else MeshState = 6;
      break;
    }
    case 6: {
      T3DTriangle& t = mesh.Triangles[mesh.TriangleCounter];
      t.Flags = GetIntToken(Line, 1);
      for (int k = 0; k < 3; ++k) t.VertexIndices[k] = GetIntToken(Line, 2 + k);
      for (int k = 0; k < 3; ++k) t.NormalIndices[k] = GetIntToken(Line, 5 + k);
      t.SmoothingGroup = GetIntToken(Line, 8);
      if (++mesh.TriangleCounter == mesh.NumTriangles) FinishMesh();
      break;
    }
    default:
      break;
  }
}

void TMS3DObj::FinishMesh() {
  if (++CurrentMesh == NumMeshes) {
    ParseState = 4;
    MaterialState = 0;
  } else {
    MeshState = 0;
  }
}

void TMS3DObj::ParseMaterialLine(const std::string& Line) {
  if (MaterialState == 0) {
    const int32_t n = ReadCount(Line, 2, sizeof(TMaterial), TCounted::Materials);
    NumMaterials = n;
    Materials.assign(n, TMaterial());
    CurrentMaterial = 0;
    if (n == 0) {
      ParseState = 5;
      BoneState = 0;
    } else {
      MaterialState = 1;
    }
    return;
  }
  TMaterial& m = Materials[CurrentMaterial];
  switch (MaterialState) {
    case 1: m.Name = NameToken(Line, 1); break;
    case 2: ReadColour(Line, m.Ambient); break;
    case 3: ReadColour(Line, m.Diffuse); break;
    case 4: ReadColour(Line, m.Specular); break;
    case 5: ReadColour(Line, m.Emissive); break;
    case 6: m.Shininess = GetFloatToken(Line, 1); break;
    case 7:
      m.Transparency = GetFloatToken(Line, 1);
      m.Transparent = m.Transparency != 1.0f;
      break;
    case 8: TextureStep(m, Line); break;
    case 9:
      m.AlphaMapFile = NameToken(Line, 1);
      if (++CurrentMaterial == NumMaterials) {
        ParseState = 5;
        BoneState = 0;
      } else {
        MaterialState = 1;
      }
      return;
    default:
      return;
  }
  ++MaterialState;
}

void TMS3DObj::TextureStep(TMaterial& Material, const std::string& Line) {
  Material.TextureFile = NameToken(Line, 1);
  if (Material.TextureFile.size() > 2)
    Material.TextureFile = Material.TextureFile.substr(1, Material.TextureFile.size() - 2);
  if (Material.TextureFile.size() > 2) {
    Material.Masked = EqualsIgnoringCase(Material.Name, "\"masked\"");
    Material.Textured = true;
  } else {
    Material.Textured = false;
  }
  // ResolveTextures finds and decodes the bitmap.
  texturesNamed_ = static_cast<size_t>(CurrentMaterial) + 1;
}

void TMS3DObj::ParseBoneLine(const std::string& Line) {
  if (BoneState == 0) {
    const int32_t n = ReadCount(Line, 2, sizeof(TBone), TCounted::Bones);
    NumBones = n;
    if (n == 0) {
      ParseState = 6;
    } else {
      Bones.assign(n, TBone());
      CurrentBone = 0;
      BoneState = 1;
    }
    return;
  }
  TBone& b = Bones[CurrentBone];
  switch (BoneState) {
    case 1:
      b.Name = StripQuotes(NameToken(Line, 1));
      BoneState = 2;
      break;
    case 2:
      b.ParentName = StripQuotes(NameToken(Line, 1));
      BoneState = 3;
      break;
    case 3:
      for (int k = 0; k < 4; ++k) b.BoneValues[k] = GetFloatToken(Line, k + 1);
      BoneState = 4;
      break;
    case 4:
      // A count below 1 has no key lines to skip.
      b.NumPosKeys = GetIntToken(Line, 1);
      if (b.NumPosKeys <= 0) {
        BoneState = 6;
      } else {
        b.PosKeyCounter = 0;
        BoneState = 5;
      }
      break;
    case 5:
      if (++b.PosKeyCounter == b.NumPosKeys) BoneState = 6;
      break;
    case 6:
      b.NumRotKeys = GetIntToken(Line, 1);
      if (b.NumRotKeys > 0) {
        b.RotKeyCounter = 0;
        BoneState = 7;
      } else {
        FinishBone();
      }
      break;
    case 7:
      if (++b.RotKeyCounter == b.NumRotKeys) FinishBone();
      break;
    default:
      break;
  }
}

void TMS3DObj::FinishBone() {
  if (++CurrentBone == NumBones) ParseState = 6;
  else BoneState = 1;
}

void TMS3DObj::CheckTriangleIndices() const {
  for (const T3DMesh& mesh : Meshes) {
    for (const T3DTriangle& t : mesh.Triangles) {
      for (int k = 0; k < 3; ++k) {
        if (t.VertexIndices[k] < 0 || t.VertexIndices[k] >= mesh.NumVertices || t.NormalIndices[k] < 0 ||
            t.NormalIndices[k] >= mesh.NumNormals)
          throw ELoadError(FileName, "Index out of range");
      }
    }
  }
}

void TMS3DObj::AssignVertexNormals() {
  for (T3DMesh& mesh : Meshes)
    for (const T3DTriangle& t : mesh.Triangles)
      for (int k = 0; k < 3; ++k) {
        // CheckTriangleIndices has rejected bad indices; this only keeps the
        // step safe when called on its own.
        const auto v = static_cast<size_t>(t.VertexIndices[k]), n = static_cast<size_t>(t.NormalIndices[k]);
        if (v < mesh.Vertices.size() && n < mesh.Normals.size()) mesh.Vertices[v].Normal = mesh.Normals[n];
      }
}

void TMS3DObj::CopyDrawArrays() {
  for (T3DMesh& mesh : Meshes) {
    mesh.DrawVertices = mesh.Vertices;
    mesh.DrawNormals = mesh.Normals;
  }
}
