#include "ModelLoad.h"

#include <algorithm>

void TModelLoad::Add(TCount What, int64_t N) {
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
  if (What == TCount::Triangles) {
    // N is at most MaxLoadTriangles here, so the product cannot overflow.
    const int64_t drawn = N * std::max<int64_t>(Copies, 1);
    if (drawn > MaxLoadDrawnTriangles - drawn_)
      throw EOverBudget("over " + std::to_string(MaxLoadDrawnTriangles) + " triangles drawn a frame in all models");
    drawn_ += drawn;
  }
  *total += N;
}
