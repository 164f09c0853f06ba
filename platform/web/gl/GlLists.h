// Display lists: the calls made between glNewList and glEndList are kept as
// operations and replayed by glCallList through the same entry points, down
// to each vertex and attribute, so a list draws with the state in force when
// it is called, as in GL.
#pragma once
#include <cstdint>


enum class TListOpCode : uint16_t {
  Enable, Disable, MatrixMode, LoadIdentity, PushMatrix, PopMatrix, MultMatrix, LoadMatrix,
  Translate, Rotate, Scale, Frustum, Ortho, Colour, Normal, TexCoord, Begin, Vertex, End, Material, Light,
  LightModel, ShadeModel, LineWidth, PointSize, AlphaFunc, DepthMask, DepthFunc, BlendFunc,
  CullFace, FrontFace, BindTexture, TexEnv, CallList, Viewport, Clear, ClearColour, PushAttrib, PopAttrib,
};

struct TListOp {
  TListOpCode Code;
  uint32_t E[3];
  float F[16];
};

// Inside glNewList: records Op. True when the call must do nothing more now
// (GL_COMPILE); false when it also runs (GL_COMPILE_AND_EXECUTE) or no list is
// being made.
bool CompiledOnly(const TListOp& Op);
