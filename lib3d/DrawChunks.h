// A frame handed to the rasteriser in chunks. A software rasteriser (Mesa's
// llvmpipe) sorts everything sent into screen tiles until a flush, and only
// then fills pixels on its worker threads; a flush after every chunk of about
// two thousand primitives (a filled triangle is one, an outlined one three
// line segments) lets those threads fill one chunk while the next is being
// sent. The pixels are the same. Measured on 2 cores, frames with and without
// chunks alternating in one run: the busy wireframe scene about 8 % faster
// (1 to 16 % over many runs), the filled one the same within 5 %. A graphics
// card gets no flushes of ours.
#pragma once

// The chunk for a renderer (its GL_RENDERER name): SoftwareDrawChunk
// primitives on a software one, else 0 (no flushes).
constexpr long SoftwareDrawChunk = 2048;
long DrawChunkFor(const char* Renderer);

// Primitives between two flushes; 0 never flushes. Flush is what a flush
// calls: glFlush unless a test counts them.
void SetDrawChunk(long Primitives, void (*Flush)() = nullptr);

// A frame begins: none of its primitives are sent yet.
void StartDrawChunk();

// After a model's draw: counts the Primitives it sent, and flushes once the
// chunk is full.
void NotePrimitivesSent(long Primitives);
