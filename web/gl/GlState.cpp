#include "GlState.h"

#include "GlRenderer.h"

namespace {

constexpr uint32_t GlModelView = 0x1700;

struct TBatch {
  TPrimClass Class = TPrimClass::None;
  std::vector<TGlVertex> Vertices;
};

TBatch& Batch() {
  static TBatch B;
  return B;
}

}  // namespace

TFixedState& GlState() {
  static TFixedState* S = [] {
    auto* New = new TFixedState;
    New->ModelView[0] = IdentityMatrix();
    New->Projection[0] = IdentityMatrix();
    // Room for a busy frame, so drawing does not allocate once the game runs.
    New->Immediate.reserve(4096);
    Batch().Vertices.reserve(1 << 16);
    return New;
  }();
  return *S;
}

TMat4& CurrentMatrix() {
  TFixedState& S = GlState();
  return S.MatrixMode == GlModelView ? S.ModelView[S.ModelViewTop] : S.Projection[S.ProjectionTop];
}

const TTextureInfo* BoundTextureInfo() {
  const TFixedState& S = GlState();
  if (S.BoundTexture == 0 || S.BoundTexture >= S.Textures.size()) return nullptr;
  return &S.Textures[S.BoundTexture];
}

void SetGlError(uint32_t Code) {
  TFixedState& S = GlState();
  if (S.Error == 0) S.Error = Code;
}

void FlushBatch() {
  TBatch& B = Batch();
  if (!B.Vertices.empty()) DrawPrimitives(B.Class, B.Vertices.data(), B.Vertices.size(), GlState());
  B.Vertices.clear();
  B.Class = TPrimClass::None;
}

std::vector<TGlVertex>& BatchFor(TPrimClass Class) {
  TBatch& B = Batch();
  if (B.Class != Class) {
    FlushBatch();
    B.Class = Class;
  }
  return B.Vertices;
}

void DrawImmediate(uint32_t Mode, const TGlVertex* Vertices, int Count) {
  const bool Wide = GlState().LineWidth > 1.5f;
  const TPrimClass Class = ClassOfMode(Mode, Wide);
  if (Class == TPrimClass::None) return;
  AssemblePrimitives(Mode, Vertices, Count, Wide, BatchFor(Class));
}

TGlVertex CurrentVertex(float X, float Y, float Z, float W) {
  const TFixedState& S = GlState();
  TGlVertex V{};
  V.Position[0] = X;
  V.Position[1] = Y;
  V.Position[2] = Z;
  V.Position[3] = W;
  for (int k = 0; k < 3; ++k) V.Normal[k] = S.Normal[k];
  for (int k = 0; k < 4; ++k) V.Colour[k] = S.Colour[k];
  V.TexCoord[0] = S.TexCoord[0];
  V.TexCoord[1] = S.TexCoord[1];
  return V;
}
