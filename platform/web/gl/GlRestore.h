// After a lost WebGL context comes back, everything WebGL held is gone. The
// subset's own state (matrices, light and material, display lists, the batch)
// lives in our memory and is still there; what lived in WebGL is made again
// from it: every texture under its old name with its parameters and texels
// (a copy of the picture comes back blank, at its size), the shader programs
// and the vertex buffer (at the next draw), and the raster state. State the
// subset leaves to WebGL alone (scissor, colour mask, clear depth, dither)
// comes back at WebGL's defaults, which is where the game keeps it.
#pragma once

// Needs the restored context current; false when the browser refuses to make objects.
bool RestoreGlObjects();
