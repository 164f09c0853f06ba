// Immediate-mode primitives turned into what WebGL 2 draws: triangles, lines
// of width 1, points, and wider lines as quads (two triangles per segment).
// No GL here, so assembly is tested natively.
#pragma once
#include <cstdint>
#include <vector>

// One vertex as the shaders read it. Other and Side are used by wide lines
// only: the segment's other end, and which edge of the quad (-1 or 1).
struct TGlVertex {
  float Position[4];
  float Normal[3];
  float Colour[4];
  float TexCoord[2];
  float Other[3];
  float Side;
};

enum class TPrimClass : uint8_t { None, Triangles, Lines, WideLines, Points };

// The class a glBegin mode draws as; None for a mode we do not draw.
TPrimClass ClassOfMode(uint32_t Mode, bool WideLines);

// Appends the primitives of one glBegin/glEnd pair to Out, as drawn
// separately: triangles, segments, or points. An incomplete last primitive is
// dropped, as GL does. The last vertex of each triangle or segment is the one
// whose colour flat shading uses, as in GL. Returns the class appended.
TPrimClass AssemblePrimitives(uint32_t Mode, const TGlVertex* In, int Count, bool WideLines,
                              std::vector<TGlVertex>& Out);
