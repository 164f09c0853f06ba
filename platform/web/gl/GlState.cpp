#include "GlState.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "GlRenderer.h"

namespace {

constexpr uint32_t GlModelView = 0x1700, GlProjection = 0x1701;

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
    New->Texture[0] = IdentityMatrix();
    // Room for a busy frame, so drawing does not allocate once the game runs.
    New->Immediate.reserve(4096);
    Batch().Vertices.reserve(1 << 16);
    return New;
  }();
  return *S;
}

TMatrixStack CurrentStack() {
  TFixedState& S = GlState();
  if (S.MatrixMode == GlModelView) return {S.ModelView, &S.ModelViewTop, ModelViewStackDepth};
  if (S.MatrixMode == GlProjection) return {S.Projection, &S.ProjectionTop, ProjectionStackDepth};
  return {S.Texture, &S.TextureTop, TextureStackDepth};
}

TMat4& CurrentMatrix() {
  const TMatrixStack Stack = CurrentStack();
  return Stack.Matrices[*Stack.Top];
}

const TTextureInfo* BoundTextureInfo() {
  const TFixedState& S = GlState();
  if (S.BoundTexture == 0 || S.BoundTexture >= S.Textures.size()) return nullptr;
  return &S.Textures[S.BoundTexture];
}

bool IsTextureObject(uint32_t Name) {
  const TFixedState& S = GlState();
  return Name != 0 && Name < S.Textures.size() && S.Textures[Name].Generated && S.Textures[Name].Bound;
}

void SetGlError(uint32_t Code) {
  TFixedState& S = GlState();
  if (S.Error == 0) S.Error = Code;
}

void SetFloats(float* Target, const float* Values, int Count) {
  std::memcpy(Target, Values, sizeof(float) * size_t(Count));
}

void ChangeFloats(float* Target, const float* Values, int Count) {
  if (std::memcmp(Target, Values, sizeof(float) * size_t(Count)) == 0) return;
  FlushBatch();
  std::memcpy(Target, Values, sizeof(float) * size_t(Count));
}

void BeforeMatrixChange() {
  if (GlState().MatrixMode == GlProjection) FlushBatch();
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

namespace {

float Dot(const float* A, const float* B) { return A[0] * B[0] + A[1] * B[1] + A[2] * B[2]; }

void Normalise(float* V) {
  const float Length = std::sqrt(Dot(V, V));
  if (Length > 0)
    for (int k = 0; k < 3; ++k) V[k] /= Length;
}

// GL's lighting equation for one light and an infinite viewer, on a vertex
// in eye coordinates: emission, scene ambient, then the light's ambient,
// diffuse and specular terms; clamped, with the diffuse material's alpha.
void LightVertex(const TFixedState& S, TGlVertex& V) {
  const TMaterialState& M = S.Material;
  const TLightState& L = S.Light;
  float C[3];
  for (int k = 0; k < 3; ++k) C[k] = M.Emission[k] + S.SceneAmbient[k] * M.Ambient[k];
  if (S.Light0) {
    float N[3] = {V.Normal[0], V.Normal[1], V.Normal[2]};
    if (S.Normalize) Normalise(N);
    float Dir[3];
    for (int k = 0; k < 3; ++k)
      Dir[k] = L.Position[3] != 0 ? L.Position[k] * V.Position[3] - V.Position[k] * L.Position[3] : L.Position[k];
    Normalise(Dir);
    for (int k = 0; k < 3; ++k) C[k] += L.Ambient[k] * M.Ambient[k];
    const float NdotL = Dot(N, Dir);
    if (NdotL > 0) {
      float Half[3] = {Dir[0], Dir[1], Dir[2] + 1};
      Normalise(Half);
      const float NdotH = std::max(Dot(N, Half), 0.0f);
      const float Spec = M.Shininess == 0 ? 1.0f : (NdotH == 0 ? 0.0f : std::pow(NdotH, M.Shininess));
      for (int k = 0; k < 3; ++k) C[k] += NdotL * L.Diffuse[k] * M.Diffuse[k] + Spec * L.Specular[k] * M.Specular[k];
    }
  }
  for (int k = 0; k < 3; ++k) V.Colour[k] = std::min(std::max(C[k], 0.0f), 1.0f);
  V.Colour[3] = std::min(std::max(M.Diffuse[3], 0.0f), 1.0f);
}

}  // namespace

void DrawImmediate(uint32_t Mode, const TGlVertex* Vertices, int Count) {
  TFixedState& S = GlState();
  const bool Wide = S.LineWidth > 1.5f;
  const TPrimClass Class = ClassOfMode(Mode, Wide);
  if (Class == TPrimClass::None) return;
  std::vector<TGlVertex>& Batch = BatchFor(Class);
  const size_t First = Batch.size();
  AssemblePrimitives(Mode, Vertices, Count, Wide, Batch);
  const TMat4& ModelView = S.ModelView[S.ModelViewTop];
  static TMat4 NormalFrom{};
  static float Normal[9];
  if (std::memcmp(&NormalFrom, &ModelView, sizeof ModelView) != 0) {
    NormalMatrix(ModelView, Normal);
    NormalFrom = ModelView;
  }
  // The game never sets a texture matrix: the identity leaves coordinates as they are.
  static const TMat4 Identity = IdentityMatrix();
  const TMat4& Texture = S.Texture[S.TextureTop];
  const bool TextureMoves = std::memcmp(&Texture, &Identity, sizeof Identity) != 0;
  for (size_t i = First; i < Batch.size(); ++i) {
    TGlVertex& V = Batch[i];
    const float P[4] = {V.Position[0], V.Position[1], V.Position[2], V.Position[3]};
    TransformPoint(ModelView, P, V.Position);
    const float N[3] = {V.Normal[0], V.Normal[1], V.Normal[2]};
    for (int r = 0; r < 3; ++r) V.Normal[r] = Normal[r] * N[0] + Normal[3 + r] * N[1] + Normal[6 + r] * N[2];
    if (S.Lighting) LightVertex(S, V);
    if (TextureMoves) {
      const float T[4] = {V.TexCoord[0], V.TexCoord[1], 0, 1};
      float Moved[4];
      TransformPoint(Texture, T, Moved);
      const float Q = Moved[3] != 0 ? Moved[3] : 1;
      V.TexCoord[0] = Moved[0] / Q;
      V.TexCoord[1] = Moved[1] / Q;
    }
    if (Class == TPrimClass::WideLines) {
      const float O[4] = {V.Other[0], V.Other[1], V.Other[2], 1};
      float Eye[4];
      TransformPoint(ModelView, O, Eye);
      for (int k = 0; k < 3; ++k) V.Other[k] = Eye[k] / Eye[3];
    }
  }
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
