// Draws a batch of assembled primitives (in eye coordinates, lit) on WebGL 2
// with the shaders that do the rest of the fixed-function work: projection,
// flat or smooth colour, modulated textures, alpha test, wide lines and
// sized points.
#pragma once
#include <cstddef>

#include "GlPrimitives.h"

struct TFixedState;

// Needs the WebGL 2 context current. Compiles the shaders the first time.
void DrawPrimitives(TPrimClass Class, const TGlVertex* Vertices, size_t Count, const TFixedState& State);

// WebGL draw calls made so far (for the benchmark).
long DrawCallCount();

// Forgets the programs and the buffer of a lost context: the next draw makes them again.
void ResetRenderer();
