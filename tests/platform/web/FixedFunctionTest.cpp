// The browser build's OpenGL subset: the matrices it keeps and how it turns
// immediate-mode primitives into what WebGL draws.
#include <gtest/gtest.h>

#include <vector>

#include "GlMatrix.h"
#include "GlPrimitives.h"

namespace {

void Apply(const TMat4& M, float X, float Y, float Z, float (&Out)[4]) {
  const float In[4] = {X, Y, Z, 1};
  TransformPoint(M, In, Out);
}

TGlVertex V(float X, float Y, float Red = 0) {
  TGlVertex Vertex{};
  Vertex.Position[0] = X;
  Vertex.Position[1] = Y;
  Vertex.Position[3] = 1;
  Vertex.Colour[0] = Red;
  return Vertex;
}

constexpr uint32_t Lines = 1, LineLoop = 2, Triangles = 4, TriangleStrip = 5, Quads = 7, Polygon = 9;

}  // namespace

TEST(GlMatrix, ComposesAndProjectsAsGlDoes) {
  // glTranslatef then glRotatef: the rotation acts on the vertex first.
  const TMat4 M = MultiplyMatrix(TranslationMatrix(10, 0, 0), RotationMatrix(90, 0, 0, 1));
  float P[4];
  Apply(M, 1, 0, 0, P);
  EXPECT_NEAR(P[0], 10, 1e-6);
  EXPECT_NEAR(P[1], 1, 1e-6);

  // The game's frustum: the near plane's corner and the far plane's centre.
  TMat4 F;
  ASSERT_TRUE(FrustumMatrix(-1, 1, -1, 1, 1, 2200, F));
  Apply(F, 1, 1, -1, P);
  EXPECT_NEAR(P[0] / P[3], 1, 1e-6);
  EXPECT_NEAR(P[1] / P[3], 1, 1e-6);
  EXPECT_NEAR(P[2] / P[3], -1, 1e-6);
  Apply(F, 0, 0, -2200, P);
  EXPECT_NEAR(P[2] / P[3], 1, 1e-5);
  // gluPerspective(90, 1, ...) is that frustum; glOrtho(-1, 1, -1, 1, 1, -1) flips z.
  const TMat4 G = PerspectiveMatrix(90, 1, 1, 2200);
  for (int k = 0; k < 16; ++k) EXPECT_NEAR(G.M[k], F.M[k], 1e-5) << k;
  TMat4 O;
  ASSERT_TRUE(OrthoMatrix(-1, 1, -1, 1, 1, -1, O));
  Apply(O, 0.5f, -0.5f, 0.25f, P);
  EXPECT_FLOAT_EQ(P[0], 0.5f);
  EXPECT_FLOAT_EQ(P[2], 0.25f);
  // What GL rejects with GL_INVALID_VALUE.
  EXPECT_FALSE(FrustumMatrix(-1, 1, -1, 1, 0, 100, F));
  EXPECT_FALSE(OrthoMatrix(1, 1, -1, 1, 1, -1, O));
}

TEST(GlMatrix, NormalsTurnWithTheModelAndUndoItsScale) {
  float N[9];
  NormalMatrix(RotationMatrix(90, 0, 1, 0), N);
  // (1, 0, 0) turned 90 degrees about y is (0, 0, -1).
  EXPECT_NEAR(N[0], 0, 1e-6);
  EXPECT_NEAR(N[2], -1, 1e-6);
  NormalMatrix(ScaleMatrix(2, 1, 1), N);
  EXPECT_FLOAT_EQ(N[0], 0.5f);
  EXPECT_FLOAT_EQ(N[4], 1);
}

TEST(GlPrimitives, FlatColourComesFromTheVertexGlUses) {
  std::vector<TGlVertex> Out;
  // A quad's two halves both end on its last corner, whose colour flat shading shows.
  const TGlVertex Quad[4] = {V(0, 0), V(1, 0), V(1, 1), V(0, 1, 0.5f)};
  EXPECT_EQ(AssemblePrimitives(Quads, Quad, 4, false, Out), TPrimClass::Triangles);
  ASSERT_EQ(Out.size(), 6u);
  EXPECT_EQ(Out[2].Colour[0], 0.5f);
  EXPECT_EQ(Out[5].Colour[0], 0.5f);
  // A polygon's flat colour is its first vertex's.
  Out.clear();
  const TGlVertex Pentagon[5] = {V(0, 0, 0.25f), V(1, 0), V(2, 1), V(1, 2), V(0, 1)};
  AssemblePrimitives(Polygon, Pentagon, 5, false, Out);
  ASSERT_EQ(Out.size(), 9u);
  for (int t = 0; t < 3; ++t) EXPECT_EQ(Out[t * 3 + 2].Colour[0], 0.25f);
  // A strip keeps every triangle's winding: the second one swaps its first corners.
  Out.clear();
  const TGlVertex Strip[4] = {V(0, 0), V(1, 0), V(0, 1), V(1, 1)};
  AssemblePrimitives(TriangleStrip, Strip, 4, false, Out);
  ASSERT_EQ(Out.size(), 6u);
  EXPECT_EQ(Out[3].Position[0], 0);  // (1, 0, 2) then (2, 1, 3): V2 first
  EXPECT_EQ(Out[3].Position[1], 1);
}

TEST(GlPrimitives, LinesCloseLoopsDropIncompletePiecesAndWidenIntoQuads) {
  std::vector<TGlVertex> Out;
  const TGlVertex Three[3] = {V(0, 0), V(1, 0), V(1, 1)};
  EXPECT_EQ(AssemblePrimitives(LineLoop, Three, 3, false, Out), TPrimClass::Lines);
  ASSERT_EQ(Out.size(), 6u);  // three segments, the last back to the start
  EXPECT_EQ(Out[4].Position[0], 1);
  EXPECT_EQ(Out[5].Position[0], 0);
  Out.clear();
  AssemblePrimitives(Lines, Three, 3, false, Out);
  EXPECT_EQ(Out.size(), 2u);
  Out.clear();
  AssemblePrimitives(Triangles, Three, 2, false, Out);
  EXPECT_TRUE(Out.empty());

  // A wide segment: two triangles whose corners know the other end and their side.
  Out.clear();
  EXPECT_EQ(AssemblePrimitives(Lines, Three, 2, true, Out), TPrimClass::WideLines);
  ASSERT_EQ(Out.size(), 6u);
  int Sides = 0;
  for (const TGlVertex& C : Out) {
    const bool AtStart = C.Position[0] == 0;
    EXPECT_EQ(C.Other[0], AtStart ? 1 : 0);
    Sides += C.Side > 0 ? 1 : -1;
  }
  EXPECT_EQ(Sides, 0);
  EXPECT_EQ(Out[2].Position[0], 1);  // both triangles end on the segment's last vertex
  EXPECT_EQ(Out[5].Position[0], 1);
}
