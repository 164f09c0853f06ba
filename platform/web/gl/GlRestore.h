// After a lost WebGL context comes back, everything WebGL held is gone. The
// subset's own state (matrices, light and material, display lists, the batch)
// lives in our memory and is still there; what lived in WebGL is made again
// from it: every texture under its old name with its parameters and texels
// (a copy of the picture comes back blank, at its size), the shader programs
// and the vertex buffer (at the next draw), and the raster state (enables,
// scissor box, colour mask, clear values).
#pragma once

// Needs the restored context current; false when the browser refuses to make objects.
bool RestoreGlObjects();

// A context was made for a Width x Height canvas: its scissor box starts as
// the canvas, as GL's does, without asking WebGL.
void NoteNewContext(int Width, int Height);
