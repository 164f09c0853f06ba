#include "ModelLoad.h"

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
  *total += N;
}
