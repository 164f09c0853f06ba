#include "ModelLoad.h"

#include <algorithm>

void TModelLoad::Add(TCount What, int64_t N) {
  if (What == TCount::Meshes) {
    AddDrawn(drawnMeshes_, N, MaxLoadDrawnMeshes, "meshes");
    return;
  }
  int64_t* total = &vertices_;
  int64_t limit = MaxLoadVertices;
  const char* what = "vertices";
  if (What == TCount::Normals) {
    total = &normals_;
    limit = MaxLoadNormals;
    what = "normals";
  } else if (What == TCount::Triangles) {
    total = &triangles_;
    limit = MaxLoadTriangles;
    what = "triangles";
  }
  if (N > limit - *total) throw EOverBudget("over " + std::to_string(limit) + " " + what + " in all models");
  if (What == TCount::Triangles) AddDrawn(drawnTriangles_, N, MaxLoadDrawnTriangles, "triangles");
  *total += N;
}

// N is within a budget of the load or the model already, so the product
// cannot overflow.
void TModelLoad::AddDrawn(int64_t& Total, int64_t N, int64_t Limit, const char* What) {
  const int64_t drawn = N * std::max<int64_t>(Copies, 1);
  if (drawn > Limit - Total)
    throw EOverBudget("over " + std::to_string(Limit) + " " + What + " drawn a frame in all models");
  Total += drawn;
}

void TModelLoad::AddSurface(double Surface) {
  // Whole square units in the messages; a NaN surface is over every limit.
  const auto units = [](double Limit) { return std::to_string(int64_t(Limit)); };
  if (SurfaceLimit > 0 && !(Surface <= SurfaceLimit))
    throw EOverBudget("over " + units(SurfaceLimit) + " square units of surface in this model");
  const double drawn = Surface * std::max<int32_t>(Copies, 1);
  if (!(drawn <= MaxLoadDrawnSurface - drawnSurface_))
    throw EOverBudget("over " + units(MaxLoadDrawnSurface) + " square units of surface drawn a frame in all models");
  drawnSurface_ += drawn;
}
