// What the fuzz targets demand of every input beyond the sanitizers' checks,
// shared with the test that replays the kept inputs (tests/lib3d).
//
// The model target reads textures from a program folder of its own:
// Root/game holds small bitmaps under the names below; Root/secret.bmp lies
// outside it, is the only 8 x 4 bitmap, and is reached from inside by the
// link game/link.bmp and the folder link game/up.
#pragma once
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "BitmapWriter.h"
#include "MerivexLib3D.h"
#include "ModelLoad.h"

const char* const FuzzTextureNames[] = {"camo.bmp",     "eye.bmp",     "floor.bmp",    "glow.bmp",   "gold.bmp",
                                        "jelly.bmp",    "letters.bmp", "obstacle.bmp", "rocket.bmp", "saucer.bmp",
                                        "teleport.bmp", "wing.bmp",    "in.bmp",       "sub/deep.bmp"};
constexpr size_t FuzzTextureCount = sizeof FuzzTextureNames / sizeof FuzzTextureNames[0];

// Makes the folders under Root (which exists) and gives the program folder.
inline std::string MakeFuzzProgramFolder(const std::string& Root) {
  namespace fs = std::filesystem;
  const auto write = [](const std::string& Path, const std::vector<uint8_t>& Bytes) {
    std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), Bytes.size());
  };
  const std::string game = Root + "/game";
  fs::create_directories(game + "/sub");
  for (const char* name : FuzzTextureNames) write(game + "/" + name, EncodeBitmap(TImage(4, 4, {51, 102, 153})));
  write(Root + "/secret.bmp", EncodeBitmap(TImage(8, 4, {255, 0, 0})));
  fs::create_symlink(Root + "/secret.bmp", game + "/link.bmp");
  fs::create_directory_symlink(Root, game + "/up");
  return game;
}

// Null when the model read from the fuzz folder (textures resolved, compiled
// or not) is sound, else the fault.
inline const char* ModelFault(const TMS3DObj& M, bool Loaded) {
  std::set<uint32_t> textures;
  for (const TMaterial& m : M.Materials) {
    if (m.TextureWidth == 8 && m.TextureHeight == 4) return "a texture outside the program folder was read";
    if (m.TextureId != 0) textures.insert(m.TextureId);
  }
  if (M.Textures.size() > 2 * FuzzTextureCount) return "a bitmap was decoded more than once per masking";
  if (textures.size() > 2 * FuzzTextureCount) return "a bitmap was uploaded more than once per masking";
  if (!Loaded) return nullptr;
  for (const TMaterial& m : M.Materials)
    if (m.Textured && (m.TextureIndex < 0 || static_cast<size_t>(m.TextureIndex) >= M.Textures.size()))
      return "a textured material without its texture";
  if (M.Meshes.size() != static_cast<size_t>(M.NumMeshes) || M.Materials.size() != static_cast<size_t>(M.NumMaterials))
    return "arrays differ from their counts";
  int64_t triangles = 0;
  for (const T3DMesh& mesh : M.Meshes) {
    if (mesh.Vertices.size() != static_cast<size_t>(mesh.NumVertices) ||
        mesh.DrawVertices.size() != mesh.Vertices.size() || mesh.Normals.size() != static_cast<size_t>(mesh.NumNormals) ||
        mesh.DrawNormals.size() != mesh.Normals.size() || mesh.Triangles.size() != static_cast<size_t>(mesh.NumTriangles))
      return "arrays differ from their counts";
    if (mesh.VertexCounter > mesh.NumVertices || mesh.NormalCounter > mesh.NumNormals ||
        mesh.TriangleCounter > mesh.NumTriangles)
      return "more lines read than counted";
    for (const T3DTriangle& t : mesh.Triangles)
      for (int k = 0; k < 3; ++k)
        if (t.VertexIndices[k] < 0 || t.VertexIndices[k] >= mesh.NumVertices || t.NormalIndices[k] < 0 ||
            t.NormalIndices[k] >= mesh.NumNormals)
          return "a triangle index outside its mesh";
    for (const T3DVertex& v : mesh.Vertices)
      if (!(std::fabs(v.X) <= MaxModelCoordinate && std::fabs(v.Y) <= MaxModelCoordinate &&
            std::fabs(v.Z) <= MaxModelCoordinate))
        return "a vertex beyond the models' reach loaded";
    triangles += mesh.TriangleCounter;
  }
  if (!(M.MaxRadius >= 0 && M.MaxRadius <= MaxModelCoordinate * 1.7321f)) return "a radius beyond the models' reach";
  return triangles > 0 ? nullptr : "a model without triangles loaded";
}

// Null when decoding Data (colour-keyed when Masked) refuses it with a reason
// or gives an image of exactly the picture's size within the pixel limit.
inline const char* BitmapFault(const uint8_t* Data, size_t Size, bool Masked) {
  int32_t width = 0, height = 0;
  try {
    const std::vector<uint8_t> image = DecodeBitmap(Data, Size, Masked, width, height);
    const int64_t pixels = static_cast<int64_t>(width) * height;
    if (width <= 0 || height <= 0 || pixels > MaxBitmapPixels) return "a picture size outside the limits";
    if (image.size() != static_cast<size_t>(pixels) * (Masked ? 4 : 3)) return "an image of the wrong size";
  } catch (const std::runtime_error&) {
  }
  return nullptr;
}
