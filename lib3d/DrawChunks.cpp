#include "DrawChunks.h"

#include <GL/gl.h>

#include "SoftwareRenderer.h"

namespace {

long ChunkPrimitives = 0;
long SentSinceFlush = 0;
void (*FlushNow)() = nullptr;

}  // namespace

long DrawChunkFor(const char* Renderer) { return IsSoftwareRenderer(Renderer) ? SoftwareDrawChunk : 0; }

void SetDrawChunk(long Primitives, void (*Flush)()) {
  ChunkPrimitives = Primitives > 0 ? Primitives : 0;
  FlushNow = Flush;
  SentSinceFlush = 0;
}

void StartDrawChunk() { SentSinceFlush = 0; }

void NotePrimitivesSent(long Primitives) {
  if (ChunkPrimitives == 0) return;
  SentSinceFlush += Primitives;
  if (SentSinceFlush < ChunkPrimitives) return;
  SentSinceFlush = 0;
  if (FlushNow) FlushNow();
  else glFlush();
}
