// Drawing in window pixels over the game's picture: a projection of pixels
// over the view with the game's GL state saved, and that state put back.
#pragma once

// Saves every attribute and the three matrices, then sets an orthographic
// projection of Width x Height pixels with lighting, depth, culling, the
// alpha test, fog and the scissor off.
void BeginPixelView(int Width, int Height);
// Puts back what BeginPixelView saved.
void EndPixelView();
