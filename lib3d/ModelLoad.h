// What the models of one load may cost together, and the textures they share.
// A model file may come from anywhere (a mod, a shared folder, a damaged
// download), so every count in it is weighed before anything is sized from it,
// against the whole load and not only the model: sixteen models each just
// under a per-model limit must not add up to gigabytes. The stock models use
// a small share of every budget (figures in lib3d/README.md).
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "TextureCache.h"

// Decoded texture bytes of all models: 64 MB, plus the GL driver's copy.
constexpr uint64_t MaxLoadTextureBytes = 64ull << 20;
// Vertices and normals of all models, and triangles: each vertex and normal is
// held twice by the reader, each triangle with its corners.
constexpr int64_t MaxLoadVertices = 65536;
constexpr int64_t MaxLoadNormals = 65536;
constexpr int64_t MaxLoadTriangles = 32768;
// Triangles drawn in one frame: each model's triangles times the copies of it
// the game may draw at once (a hundred fragments, a hundred floor tiles).
// Every copy's triangles are transformed, lit and set up again, so a model
// drawn a hundred times may hold a hundredth of the triangles of one drawn once.
constexpr int64_t MaxLoadDrawnTriangles = 65536;
// Per model: every mesh is a material change and a list call at every draw,
// even out of view.
constexpr int32_t MaxModelMeshes = 16;
constexpr int32_t MaxModelMaterials = 64;
// Meshes drawn in one frame, weighed by copies as triangles are: each costs
// its material's state and a draw of its own.
constexpr int64_t MaxLoadDrawnMeshes = 1024;
// Surface drawn in one frame, in square units of the models' own space,
// weighed by copies as triangles are. No count bounds what the rasteriser
// fills: a copy's share of the screen grows with its surface, and a hundred
// fragments each the size of the floor cover it many times over.
constexpr double MaxLoadDrawnSurface = 16777216.0;
// How far a vertex may lie from the model's origin along any axis, in units:
// a collision radius and a surface made of these stay finite in every sum and
// square the world and the load take of them. The stock models reach 172.
constexpr float MaxModelCoordinate = 4096.0f;
// Bones are read and kept, never used.
constexpr int32_t MaxModelBones = 256;
// A model file's bytes: every line is looked at, even those the reader skips.
constexpr uint64_t MaxModelFileBytes = 8ull << 20;
// Any name in a model file (mesh, material, texture, bone), refused before it
// is copied, split into folders or shown.
constexpr size_t MaxNameBytes = 4096;
// Folders in a texture name (after "." and empty steps): each one is looked
// up when the name is resolved.
constexpr size_t MaxNameFolders = 32;

// One budget passed: the model is at fault, whichever count tipped it over.
class EOverBudget : public std::runtime_error {
 public:
  explicit EOverBudget(const std::string& Why) : std::runtime_error("Model too large: " + Why) {}
};

// The sixteen models of a start-up load through one TModelLoad; a model read
// on its own gets one of its own, so the same budgets hold for it alone.
class TModelLoad {
 public:
  enum class TCount { Vertices, Normals, Triangles, Meshes };

  // Adds N of What to the load's total, and triangles and meshes Copies
  // times to those drawn a frame; throws EOverBudget past a budget.
  void Add(TCount What, int64_t N);
  // Adds a model's surface Copies times to that drawn a frame; throws
  // EOverBudget past the load's budget or the model's own SurfaceLimit.
  void AddSurface(double Surface);
  int64_t Vertices() const { return vertices_; }
  int64_t Normals() const { return normals_; }
  int64_t Triangles() const { return triangles_; }
  int64_t DrawnTriangles() const { return drawnTriangles_; }
  int64_t DrawnMeshes() const { return drawnMeshes_; }
  double DrawnSurface() const { return drawnSurface_; }

  // Copies of the model being read that one frame may draw; the reader of a
  // load sets it before each model.
  int32_t Copies = 1;
  // The most surface the model being read may have on its own, for a model
  // drawn close enough to fill the view, where the weighed budget would still
  // let it cover every pixel hundreds of times; 0 for none. Set like Copies.
  double SurfaceLimit = 0;

  // Every texture of the load, found and decoded once per name and masking.
  TTextureCache Textures{MaxLoadTextureBytes};

 private:
  void AddDrawn(int64_t& Total, int64_t N, int64_t Limit, const char* What);

  int64_t vertices_ = 0, normals_ = 0, triangles_ = 0;
  int64_t drawnTriangles_ = 0, drawnMeshes_ = 0;
  double drawnSurface_ = 0;
};
