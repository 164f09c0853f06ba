// Telling a renderer that draws on the processor from a graphics card, by the
// name the GL gives (GL_RENDERER).
#pragma once

// True for Mesa's llvmpipe, softpipe or swrast, or SwiftShader.
bool IsSoftwareRenderer(const char* Renderer);
