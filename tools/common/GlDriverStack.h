// Telling the GL driver's heap allocations from the game's. Mesa's rasteriser
// compiles shader variants with LLVM, in C++, whenever it meets a new drawing
// state (and again after evicting old variants): allocations with the driver's
// libraries on the stack are the driver's, not the game's.
#pragma once

// Call once before counting: loads the unwinder, which allocates itself.
void PrimeStackWalk();
// Whether a GL driver library is on the caller's stack.
bool CalledFromGlDriver();
