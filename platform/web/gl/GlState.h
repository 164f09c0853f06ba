// The fixed-function state our OpenGL 1.1 subset keeps on top of WebGL 2:
// matrix stacks, the light and material, current vertex attributes, the
// enables WebGL lacks, the error flag and the batch of primitives waiting to
// be drawn. Vertices enter the batch in eye coordinates and lit (at glEnd,
// with the model-view matrix, light and material then in force, as GL does
// per vertex), so objects drawn at different places in different materials
// go to WebGL as one draw; every call that changes other state (textures,
// blending, depth, shading, projection...) draws the batch first.
#pragma once
#include <cstdint>
#include <vector>

#include "GlMatrix.h"
#include "GlPrimitives.h"

constexpr int ModelViewStackDepth = 32;
constexpr int ProjectionStackDepth = 4;
constexpr int TextureStackDepth = 4;
constexpr int AttribStackDepth = 16;  // GL's minimum

struct TLightState {
  float Ambient[4] = {0, 0, 0, 1};
  float Diffuse[4] = {1, 1, 1, 1};
  float Specular[4] = {1, 1, 1, 1};
  float Position[4] = {0, 0, 1, 0};  // eye coordinates
};

struct TMaterialState {
  float Ambient[4] = {0.2f, 0.2f, 0.2f, 1};
  float Diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
  float Specular[4] = {0, 0, 0, 1};
  float Emission[4] = {0, 0, 0, 1};
  float Shininess = 0;
};

// What a texture needs beyond WebGL's own state: GL_CLAMP has no WebGL
// equivalent, so its border is blended in the shader from the texture size.
// What a lost context takes with it is kept here too, to make the texture
// again: the parameters as WebGL was given them and level 0's texels as
// uploaded (a copy of the picture keeps only its size).
struct TTextureInfo {
  int Width = 0, Height = 0;
  bool ClampS = false, ClampT = false;
  bool Rgb = false;  // no alpha channel: the border keeps alpha 1
  int Params[4] = {};  // MIN_FILTER, MAG_FILTER, WRAP_S, WRAP_T as sent; 0 where never set
  uint32_t Base = 0, Format = 0, Type = 0;
  int Alignment = 4;
  std::vector<uint8_t> Texels;
  bool Generated = false;  // named by glGenTextures and not deleted since
  bool Bound = false;      // bound since: a texture object, as glIsTexture says
};

// The state glPushAttrib saves and glPopAttrib puts back. What WebGL keeps
// too (enables, scissor box, colour mask, clear values) is kept here as well,
// so that nothing in a frame waits on a WebGL query to read it back.
struct TAttributes {
  uint32_t MatrixMode = 0x1700;  // GL_MODELVIEW

  bool Lighting = false, Light0 = false, Texture2D = false, AlphaTest = false, Normalize = false;
  bool CullFace = false, DepthTest = false, Blend = false;
  bool ScissorTest = false, Dither = true, PolygonOffsetFill = false;
  // Accepted and remembered, but nothing is drawn differently: the canvas has
  // no multisampling, and the game uses neither smoothing nor fog.
  bool LineSmooth = false, PointSmooth = false, PolygonSmooth = false, Multisample = false, Fog = false;
  TLightState Light;
  float SceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
  TMaterialState Material;
  uint32_t ShadeModel = 0x1D01;  // GL_SMOOTH
  uint32_t AlphaFunc = 0x0207;   // GL_ALWAYS
  float AlphaRef = 0;
  uint32_t TexEnvMode = 0x2100;  // GL_MODULATE
  float LineWidth = 1, PointSize = 1;
  int Viewport[4] = {0, 0, 0, 0};
  int ScissorBox[4] = {0, 0, 0, 0};  // the canvas's size when the context was made
  bool ColourMask[4] = {true, true, true, true};
  float ClearDepth = 1;
  float ClearColour[4] = {0, 0, 0, 0};
  bool DepthMask = true;
  uint32_t DepthFunc = 0x0201;  // GL_LESS
  uint32_t BlendSrc = 1, BlendDst = 0;
  uint32_t CullMode = 0x0405, FrontFace = 0x0901;  // GL_BACK, GL_CCW
  uint32_t ReadBuffer = 0x0405;                    // GL_BACK

  float Colour[4] = {1, 1, 1, 1};
  float Normal[3] = {0, 0, 1};
  float TexCoord[2] = {0, 0};

  uint32_t BoundTexture = 0;
};

struct TFixedState : TAttributes {
  TMat4 ModelView[ModelViewStackDepth];
  TMat4 Projection[ProjectionStackDepth];
  TMat4 Texture[TextureStackDepth];
  int ModelViewTop = 0, ProjectionTop = 0, TextureTop = 0;

  int UnpackAlignment = 4;
  std::vector<TTextureInfo> Textures;  // by WebGL name

  bool InBegin = false;
  uint32_t BeginMode = 0;
  std::vector<TGlVertex> Immediate;

  uint32_t Error = 0;  // the first error since the last glGetError
  int AttribDepth = 0;  // glPushAttrib's records
};

TFixedState& GlState();
// The stack glMatrixMode chose, and its top matrix.
struct TMatrixStack {
  TMat4* Matrices;
  int* Top;
  int Depth;
};
TMatrixStack CurrentStack();
TMat4& CurrentMatrix();
const TTextureInfo* BoundTextureInfo();
// A name glGenTextures gave, bound since and not deleted (glIsTexture's answer, without asking WebGL).
bool IsTextureObject(uint32_t Name);

// Records an error unless one is already waiting, as GL does.
void SetGlError(uint32_t Code);
// Sets WebGL's own state (enables, functions, boxes, clear values, the bound
// texture) as ours has it: after a pop of attributes and on a new context.
void SyncWebGl(const TFixedState& S);

// Sets Count floats of state, drawing the waiting batch first when they change.
void ChangeFloats(float* Target, const float* Values, int Count);
// Sets Count floats of the lighting state: vertices are lit as they enter the
// batch, so the batch waiting does not depend on it.
void SetFloats(float* Target, const float* Values, int Count);
// The projection changes: draws the waiting batch first. The model-view and
// texture matrices need no such care: vertices enter the batch in eye
// coordinates, with their texture coordinates transformed.
void BeforeMatrixChange();

// The batch: primitives of one class waiting to be drawn under the current state.
void FlushBatch();
// Room for primitives of Class: draws what is waiting when its class differs.
std::vector<TGlVertex>& BatchFor(TPrimClass Class);
// A glBegin/glEnd pair's vertices into the batch, assembled by Mode.
void DrawImmediate(uint32_t Mode, const TGlVertex* Vertices, int Count);
// The vertex glVertex makes from the current attributes.
TGlVertex CurrentVertex(float X, float Y, float Z, float W);
