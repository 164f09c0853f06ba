// A frame handed to the rasteriser in chunks. A software rasteriser (Mesa's
// llvmpipe) sorts everything sent into screen tiles until a flush, and only
// then fills pixels on its worker threads; a flush after every chunk of about
// a thousand triangles lets those threads fill one chunk while the next is
// being sent. The pixels are the same. Measured on 2 cores, frames of each
// kind alternating in one run: the busy wireframe scene 4 to 11 % faster, the
// filled one within 2 %. A graphics card gets no flushes of ours.
#pragma once

// True for a renderer that draws on the processor (Mesa's llvmpipe, softpipe
// or swrast, SwiftShader), given its GL_RENDERER string.
bool IsSoftwareRenderer(const char* Renderer);

// The chunk for a renderer: SoftwareDrawChunk triangles on a software one,
// else 0 (no flushes).
constexpr long SoftwareDrawChunk = 1024;
long DrawChunkFor(const char* Renderer);

// Triangles (filled, or outlined in wireframe) between two flushes; 0 never
// flushes. Flush is what a flush calls: glFlush unless a test counts them.
void SetDrawChunk(long Triangles, void (*Flush)() = nullptr);

// A frame begins: none of its triangles are sent yet.
void StartDrawChunk();

// After a model's draw: counts the Triangles it sent, and flushes once the
// chunk is full.
void NoteTrianglesSent(long Triangles);
