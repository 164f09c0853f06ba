#include "GlPrimitives.h"

namespace {

// The glBegin modes (GL 1.1 values).
constexpr uint32_t Points = 0x0000, Lines = 0x0001, LineLoop = 0x0002, LineStrip = 0x0003;
constexpr uint32_t Triangles = 0x0004, TriangleStrip = 0x0005, TriangleFan = 0x0006;
constexpr uint32_t Quads = 0x0007, QuadStrip = 0x0008, Polygon = 0x0009;

void Triangle(const TGlVertex& A, const TGlVertex& B, const TGlVertex& C, std::vector<TGlVertex>& Out) {
  Out.push_back(A);
  Out.push_back(B);
  Out.push_back(C);
}

TGlVertex Edge(const TGlVertex& V, const TGlVertex& Other, float Side) {
  TGlVertex E = V;
  for (int k = 0; k < 3; ++k) E.Other[k] = Other.Position[k] / (Other.Position[3] != 0 ? Other.Position[3] : 1);
  E.Side = Side;
  return E;
}

void Segment(const TGlVertex& A, const TGlVertex& B, bool Wide, std::vector<TGlVertex>& Out) {
  if (!Wide) {
    Out.push_back(A);
    Out.push_back(B);
    return;
  }
  // Both triangles end on B, so flat shading takes B's colour as GL does.
  const TGlVertex A0 = Edge(A, B, -1), A1 = Edge(A, B, 1), B0 = Edge(B, A, -1), B1 = Edge(B, A, 1);
  Triangle(A0, A1, B0, Out);
  Triangle(A1, B1, B0, Out);
}

}  // namespace

TPrimClass ClassOfMode(uint32_t Mode, bool WideLines) {
  switch (Mode) {
    case Points:
      return TPrimClass::Points;
    case Lines:
    case LineLoop:
    case LineStrip:
      return WideLines ? TPrimClass::WideLines : TPrimClass::Lines;
    case Triangles:
    case TriangleStrip:
    case TriangleFan:
    case Quads:
    case QuadStrip:
    case Polygon:
      return TPrimClass::Triangles;
    default:
      return TPrimClass::None;
  }
}

TPrimClass AssemblePrimitives(uint32_t Mode, const TGlVertex* V, int N, bool WideLines,
                              std::vector<TGlVertex>& Out) {
  const TPrimClass Class = ClassOfMode(Mode, WideLines);
  switch (Mode) {
    case Points:
      for (int i = 0; i < N; ++i) Out.push_back(V[i]);
      break;
    case Lines:
      for (int i = 0; i + 1 < N; i += 2) Segment(V[i], V[i + 1], WideLines, Out);
      break;
    case LineStrip:
    case LineLoop:
      for (int i = 0; i + 1 < N; ++i) Segment(V[i], V[i + 1], WideLines, Out);
      if (Mode == LineLoop && N >= 2) Segment(V[N - 1], V[0], WideLines, Out);
      break;
    case Triangles:
      for (int i = 0; i + 2 < N; i += 3) Triangle(V[i], V[i + 1], V[i + 2], Out);
      break;
    case TriangleStrip:
      // Every other triangle swaps its first two corners to keep the winding.
      for (int i = 0; i + 2 < N; ++i) {
        if (i % 2 == 0) Triangle(V[i], V[i + 1], V[i + 2], Out);
        else Triangle(V[i + 1], V[i], V[i + 2], Out);
      }
      break;
    case TriangleFan:
      for (int i = 1; i + 1 < N; ++i) Triangle(V[0], V[i], V[i + 1], Out);
      break;
    case Quads:
      // Split along the 1-3 diagonal so that both halves end on the quad's last corner.
      for (int i = 0; i + 3 < N; i += 4) {
        Triangle(V[i], V[i + 1], V[i + 3], Out);
        Triangle(V[i + 1], V[i + 2], V[i + 3], Out);
      }
      break;
    case QuadStrip:
      for (int i = 0; i + 3 < N; i += 2) {
        Triangle(V[i], V[i + 1], V[i + 3], Out);
        Triangle(V[i + 2], V[i], V[i + 3], Out);
      }
      break;
    case Polygon:
      // A polygon's flat colour is its first vertex's: each piece ends on it.
      for (int i = 1; i + 1 < N; ++i) Triangle(V[i], V[i + 1], V[0], Out);
      break;
    default:
      break;
  }
  return Class;
}
