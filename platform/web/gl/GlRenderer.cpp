#include "GlRenderer.h"

#include <GL/gl.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstdio>
#include <cstring>

#include "GlShaders.h"
#include "GlState.h"

namespace {

enum TUniform {
  uProjection, uWide, uLineWidth, uPointSize, uViewport, uFlat, uReplace, uRgbTexture,
  uSampler, uClampBorder, uTextureSize, uAlphaFunc, uAlphaRef, UniformCount
};

const char* const UniformNames[UniformCount] = {
    "uProjection", "uWide", "uLineWidth", "uPointSize", "uViewport", "uFlat", "uReplace", "uRgbTexture", "uSampler", "uClampBorder", "uTextureSize", "uAlphaFunc", "uAlphaRef"};

// Uniform values as last sent, so only changes go to WebGL.
struct TSent {
  float Values[UniformCount][16];
  bool Valid[UniformCount];
};

// One variant of the program: bit 0 textured, bit 1 alpha test.
struct TProgram {
  GLuint Id = 0;
  GLint Location[UniformCount] = {};
  TSent Sent{};
};

constexpr int Variants = 4;

struct TRenderer {
  TProgram Programs[Variants];
  int Current = -1;
  GLuint Buffer = 0, VertexArray = 0;
  long Draws = 0;
  size_t BufferBytes = 0;
  bool Ready = false, Failed = false;
};

TRenderer& R() {
  static TRenderer Renderer;
  return Renderer;
}

GLuint Compile(GLenum Kind, const char* Defines, const char* Source) {
  const GLuint Shader = emscripten_glCreateShader(Kind);
  const char* const Parts[3] = {"#version 300 es\n", Defines, Source};
  emscripten_glShaderSource(Shader, 3, Parts, nullptr);
  emscripten_glCompileShader(Shader);
  GLint Ok = 0;
  emscripten_glGetShaderiv(Shader, GL_COMPILE_STATUS, &Ok);
  if (!Ok) {
    char Log[1024] = {};
    emscripten_glGetShaderInfoLog(Shader, sizeof Log, nullptr, Log);
    std::fprintf(stderr, "skyrend: fixed-function shader: %s\n", Log);
  }
  return Shader;
}

bool Link(TProgram& P, GLuint Vs, int Variant) {
  const char* const Defines[Variants] = {"", "#define TEXTURED\n", "#define ALPHA_TEST\n",
                                         "#define TEXTURED\n#define ALPHA_TEST\n"};
  const GLuint Fs = Compile(GL_FRAGMENT_SHADER, Defines[Variant], FixedFragmentShader);
  P.Id = emscripten_glCreateProgram();
  emscripten_glAttachShader(P.Id, Vs);
  emscripten_glAttachShader(P.Id, Fs);
  const char* const Attributes[] = {"aPosition", "aNormal", "aColour", "aTexCoord", "aOther", "aSide"};
  for (GLuint i = 0; i < 6; ++i) emscripten_glBindAttribLocation(P.Id, i, Attributes[i]);
  emscripten_glLinkProgram(P.Id);
  GLint Ok = 0;
  emscripten_glGetProgramiv(P.Id, GL_LINK_STATUS, &Ok);
  if (!Ok) {
    char Log[1024] = {};
    emscripten_glGetProgramInfoLog(P.Id, sizeof Log, nullptr, Log);
    std::fprintf(stderr, "skyrend: fixed-function program: %s\n", Log);
    return false;
  }
  for (int u = 0; u < UniformCount; ++u) P.Location[u] = emscripten_glGetUniformLocation(P.Id, UniformNames[u]);
  return true;
}

bool SetUp(TRenderer& Rn) {
  const GLuint Vs = Compile(GL_VERTEX_SHADER, "", FixedVertexShader);
  for (int v = 0; v < Variants; ++v)
    if (!Link(Rn.Programs[v], Vs, v)) return false;
  emscripten_glGenVertexArrays(1, &Rn.VertexArray);
  emscripten_glBindVertexArray(Rn.VertexArray);
  emscripten_glGenBuffers(1, &Rn.Buffer);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, Rn.Buffer);
  const GLsizei Stride = sizeof(TGlVertex);
  struct TField { GLint Size; size_t Offset; };
  const TField Fields[6] = {
      {4, offsetof(TGlVertex, Position)}, {3, offsetof(TGlVertex, Normal)}, {4, offsetof(TGlVertex, Colour)},
      {2, offsetof(TGlVertex, TexCoord)}, {3, offsetof(TGlVertex, Other)},  {1, offsetof(TGlVertex, Side)}};
  for (GLuint i = 0; i < 6; ++i) {
    emscripten_glEnableVertexAttribArray(i);
    emscripten_glVertexAttribPointer(i, Fields[i].Size, GL_FLOAT, GL_FALSE, Stride,
                                     reinterpret_cast<const void*>(Fields[i].Offset));
  }
  Rn.Ready = true;
  return true;
}

// Sends Count floats of uniform U when they differ from what was sent last.
bool Changed(TProgram& Rn, int U, const float* V, int Count) {
  if (Rn.Sent.Valid[U] && std::memcmp(Rn.Sent.Values[U], V, sizeof(float) * Count) == 0) return false;
  std::memcpy(Rn.Sent.Values[U], V, sizeof(float) * Count);
  Rn.Sent.Valid[U] = true;
  return true;
}

void Float(TProgram& Rn, int U, float V) {
  if (Changed(Rn, U, &V, 1)) emscripten_glUniform1f(Rn.Location[U], V);
}

void Int(TProgram& Rn, int U, int V) {
  const float F = float(V);
  if (Changed(Rn, U, &F, 1)) emscripten_glUniform1i(Rn.Location[U], V);
}

void SendState(TProgram& Rn, TPrimClass Class, const TFixedState& S, const TTextureInfo* Texture) {
  const TMat4& Projection = S.Projection[S.ProjectionTop];
  if (Changed(Rn, uProjection, Projection.M, 16))
    emscripten_glUniformMatrix4fv(Rn.Location[uProjection], 1, GL_FALSE, Projection.M);

  Int(Rn, uWide, Class == TPrimClass::WideLines);
  Float(Rn, uLineWidth, float(int(S.LineWidth + 0.5f)));
  Float(Rn, uPointSize, float(int(S.PointSize + 0.5f) < 1 ? 1 : int(S.PointSize + 0.5f)));
  const float Viewport[2] = {float(S.Viewport[2]), float(S.Viewport[3])};
  if (Changed(Rn, uViewport, Viewport, 2)) emscripten_glUniform2fv(Rn.Location[uViewport], 1, Viewport);
  Int(Rn, uFlat, S.ShadeModel == 0x1D00);  // GL_FLAT

  const bool Textured = Texture != nullptr;
  if (Textured) {
    Int(Rn, uReplace, S.TexEnvMode == 0x1E01);  // GL_REPLACE
    Int(Rn, uSampler, 0);
    const float Border[2] = {Texture->ClampS ? 1.0f : 0.0f, Texture->ClampT ? 1.0f : 0.0f};
    if (Changed(Rn, uClampBorder, Border, 2))
      emscripten_glUniform2i(Rn.Location[uClampBorder], int(Border[0]), int(Border[1]));
    const float Size[2] = {float(Texture->Width), float(Texture->Height)};
    if (Changed(Rn, uTextureSize, Size, 2)) emscripten_glUniform2fv(Rn.Location[uTextureSize], 1, Size);
  }
  Int(Rn, uRgbTexture, Textured && Texture->Rgb);
  if (S.AlphaTest) {
    Int(Rn, uAlphaFunc, int(S.AlphaFunc - 0x0200));
    Float(Rn, uAlphaRef, S.AlphaRef);
  }
}

}  // namespace

void DrawPrimitives(TPrimClass Class, const TGlVertex* Vertices, size_t Count, const TFixedState& S) {
  TRenderer& Rn = R();
  if (Rn.Failed || Count == 0) return;
  if (!Rn.Ready && !SetUp(Rn)) {
    Rn.Failed = true;
    return;
  }
  const TTextureInfo* Texture = S.Texture2D ? BoundTextureInfo() : nullptr;
  if (Texture && Texture->Width == 0) Texture = nullptr;
  const int Variant = (Texture ? 1 : 0) | (S.AlphaTest ? 2 : 0);
  if (Variant != Rn.Current) {
    emscripten_glUseProgram(Rn.Programs[Variant].Id);
    Rn.Current = Variant;
  }
  SendState(Rn.Programs[Variant], Class, S, Texture);
  // Our own vertex array and buffer stay bound: nothing else draws.
  const size_t Bytes = Count * sizeof(TGlVertex);
  if (Bytes > Rn.BufferBytes) {
    Rn.BufferBytes = Bytes * 2;
    emscripten_glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(Rn.BufferBytes), nullptr, GL_STREAM_DRAW);
  }
  emscripten_glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(Bytes), Vertices);
  GLenum Mode = GL_TRIANGLES;
  if (Class == TPrimClass::Lines) Mode = GL_LINES;
  if (Class == TPrimClass::Points) Mode = GL_POINTS;
  // Lines are never culled in GL; wide ones are triangles here.
  const bool Uncull = Class == TPrimClass::WideLines && S.CullFace;
  if (Uncull) emscripten_glDisable(GL_CULL_FACE);
  emscripten_glDrawArrays(Mode, 0, GLsizei(Count));
  ++Rn.Draws;
  if (Uncull) emscripten_glEnable(GL_CULL_FACE);
}

long DrawCallCount() { return R().Draws; }

void ResetRenderer() {
  const long Draws = R().Draws;
  R() = TRenderer{};
  R().Draws = Draws;
}
