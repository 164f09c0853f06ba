// glPushAttrib and glPopAttrib: the attribute stack. A push saves the
// groups its mask names; the matching pop puts back exactly those groups, in
// our state and in WebGL's, and leaves the rest as it is now. Of a texture
// object only its binding is saved, not its parameters. Our state holds all
// of it, so neither asks WebGL anything: a query waits for the GPU.
#include <GL/gl.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <algorithm>

#include "GlLists.h"
#include "GlState.h"

namespace {

struct TRecord {
  GLbitfield Mask = 0;
  TAttributes Ours;
};

TRecord Stack[AttribStackDepth];

template <typename T, size_t N>
void Copy(T (&To)[N], const T (&From)[N]) {
  std::copy(From, From + N, To);
}

// The groups of Mask from From into To.
void CopyGroups(GLbitfield Mask, const TAttributes& From, TAttributes& To) {
  if (Mask & GL_CURRENT_BIT) {
    Copy(To.Colour, From.Colour);
    Copy(To.Normal, From.Normal);
    Copy(To.TexCoord, From.TexCoord);
  }
  if (Mask & GL_POINT_BIT) {
    To.PointSize = From.PointSize;
    To.PointSmooth = From.PointSmooth;
  }
  if (Mask & GL_LINE_BIT) {
    To.LineWidth = From.LineWidth;
    To.LineSmooth = From.LineSmooth;
  }
  if (Mask & GL_POLYGON_BIT) {
    To.CullFace = From.CullFace;
    To.CullMode = From.CullMode;
    To.FrontFace = From.FrontFace;
    To.PolygonSmooth = From.PolygonSmooth;
    To.PolygonOffsetFill = From.PolygonOffsetFill;
  }
  if (Mask & GL_PIXEL_MODE_BIT) To.ReadBuffer = From.ReadBuffer;
  if (Mask & GL_LIGHTING_BIT) {
    To.Lighting = From.Lighting;
    To.Light0 = From.Light0;
    To.Light = From.Light;
    Copy(To.SceneAmbient, From.SceneAmbient);
    To.Material = From.Material;
    To.ShadeModel = From.ShadeModel;
  }
  if (Mask & GL_FOG_BIT) To.Fog = From.Fog;
  if (Mask & GL_DEPTH_BUFFER_BIT) {
    To.DepthTest = From.DepthTest;
    To.DepthFunc = From.DepthFunc;
    To.DepthMask = From.DepthMask;
    To.ClearDepth = From.ClearDepth;
  }
  if (Mask & GL_VIEWPORT_BIT) Copy(To.Viewport, From.Viewport);
  if (Mask & GL_TRANSFORM_BIT) {
    To.MatrixMode = From.MatrixMode;
    To.Normalize = From.Normalize;
  }
  if (Mask & GL_ENABLE_BIT) {
    To.Lighting = From.Lighting;
    To.Light0 = From.Light0;
    To.Texture2D = From.Texture2D;
    To.AlphaTest = From.AlphaTest;
    To.Normalize = From.Normalize;
    To.CullFace = From.CullFace;
    To.DepthTest = From.DepthTest;
    To.Blend = From.Blend;
    To.LineSmooth = From.LineSmooth;
    To.PointSmooth = From.PointSmooth;
    To.PolygonSmooth = From.PolygonSmooth;
    To.Multisample = From.Multisample;
    To.Fog = From.Fog;
    To.ScissorTest = From.ScissorTest;
    To.Dither = From.Dither;
    To.PolygonOffsetFill = From.PolygonOffsetFill;
  }
  if (Mask & GL_SCISSOR_BIT) {
    To.ScissorTest = From.ScissorTest;
    Copy(To.ScissorBox, From.ScissorBox);
  }
  if (Mask & GL_COLOR_BUFFER_BIT) {
    To.AlphaTest = From.AlphaTest;
    To.AlphaFunc = From.AlphaFunc;
    To.AlphaRef = From.AlphaRef;
    To.Blend = From.Blend;
    To.BlendSrc = From.BlendSrc;
    To.BlendDst = From.BlendDst;
    Copy(To.ClearColour, From.ClearColour);
    Copy(To.ColourMask, From.ColourMask);
    To.Dither = From.Dither;
  }
  if (Mask & GL_TEXTURE_BIT) {
    To.Texture2D = From.Texture2D;
    To.BoundTexture = From.BoundTexture;
    To.TexEnvMode = From.TexEnvMode;
  }
}

void Enable(GLenum Cap, bool On) {
  if (On) emscripten_glEnable(Cap);
  else emscripten_glDisable(Cap);
}


}  // namespace

// Our state that WebGL keeps too, set in WebGL as it stands in ours.
void SyncWebGl(const TFixedState& S) {
  Enable(GL_BLEND, S.Blend);
  Enable(GL_CULL_FACE, S.CullFace);
  Enable(GL_DEPTH_TEST, S.DepthTest);
  Enable(GL_SCISSOR_TEST, S.ScissorTest);
  Enable(GL_DITHER, S.Dither);
  Enable(GL_POLYGON_OFFSET_FILL, S.PolygonOffsetFill);
  emscripten_glBlendFunc(S.BlendSrc, S.BlendDst);
  emscripten_glCullFace(S.CullMode);
  emscripten_glFrontFace(S.FrontFace);
  emscripten_glDepthMask(S.DepthMask);
  emscripten_glDepthFunc(S.DepthFunc);
  emscripten_glViewport(S.Viewport[0], S.Viewport[1], S.Viewport[2], S.Viewport[3]);
  emscripten_glClearColor(S.ClearColour[0], S.ClearColour[1], S.ClearColour[2], S.ClearColour[3]);
  emscripten_glScissor(S.ScissorBox[0], S.ScissorBox[1], S.ScissorBox[2], S.ScissorBox[3]);
  emscripten_glColorMask(S.ColourMask[0], S.ColourMask[1], S.ColourMask[2], S.ColourMask[3]);
  emscripten_glClearDepthf(S.ClearDepth);
  emscripten_glBindTexture(GL_TEXTURE_2D, S.BoundTexture);
}

extern "C" {

void glPushAttrib(GLbitfield Mask) {
  if (CompiledOnly({TListOpCode::PushAttrib, {Mask}, {}})) return;
  TFixedState& S = GlState();
  if (S.InBegin) return SetGlError(GL_INVALID_OPERATION);
  if (S.AttribDepth >= AttribStackDepth) return SetGlError(GL_STACK_OVERFLOW);
  TRecord& R = Stack[S.AttribDepth++];
  R.Mask = Mask;
  R.Ours = S;
}

void glPopAttrib() {
  if (CompiledOnly({TListOpCode::PopAttrib, {}, {}})) return;
  TFixedState& S = GlState();
  if (S.InBegin) return SetGlError(GL_INVALID_OPERATION);
  if (S.AttribDepth == 0) return SetGlError(GL_STACK_UNDERFLOW);
  // What waits was meant for the state being left.
  FlushBatch();
  TRecord& R = Stack[--S.AttribDepth];
  // A texture deleted since the push is no longer there to bind.
  if (!IsTextureObject(R.Ours.BoundTexture)) R.Ours.BoundTexture = 0;
  CopyGroups(R.Mask, R.Ours, S);
  if (S.BoundTexture >= S.Textures.size()) S.Textures.resize(S.BoundTexture + 1);
  SyncWebGl(S);
}

}  // extern "C"
