// The shader pair of the fixed-function pipeline, GLSL ES 3.00.
#pragma once

// Projection (vertices come in eye coordinates, already lit), wide lines
// widened across their minor axis in window space, point size.
constexpr const char* FixedVertexShader = R"(
precision highp float;
in vec4 aPosition;
in vec3 aNormal;
in vec4 aColour;
in vec2 aTexCoord;
in vec3 aOther;
in float aSide;
uniform mat4 uProjection;
uniform bool uWide;
uniform float uLineWidth;
uniform float uPointSize;
uniform vec2 uViewport;
out vec4 vSmooth;
flat out vec4 vFlat;
out vec2 vTexCoord;

// A clip-space point moved along the segment onto the near plane when it lies behind it.
vec4 OntoNearSide(vec4 P, vec4 O) {
  float DP = P.z + P.w, DO = O.z + O.w;
  if (DP < 0.0 && DO > 0.0) return mix(P, O, DP / (DP - DO));
  return P;
}

void main() {
  vec4 Clip = uProjection * aPosition;
  if (uWide) {
    vec4 Other = uProjection * vec4(aOther, 1.0);
    vec4 P = OntoNearSide(Clip, Other);
    vec4 O = OntoNearSide(Other, Clip);
    vec2 Half = uViewport * 0.5;
    vec2 D = (P.xy / P.w - O.xy / O.w) * Half;
    vec2 Offset = abs(D.x) >= abs(D.y) ? vec2(0.0, aSide) : vec2(aSide, 0.0);
    Clip = P;
    Clip.xy += Offset * (uLineWidth * 0.5) / Half * P.w;
  }
  gl_Position = Clip;
  gl_PointSize = uPointSize;
  vec4 C = clamp(aColour, 0.0, 1.0);
  vSmooth = C;
  vFlat = C;
  vTexCoord = aTexCoord;
}
)";

// Flat or smooth colour, the texture environment (modulate or replace),
// GL_CLAMP's border for clamped textures, and the alpha test. Compiled in
// four variants, with and without TEXTURED and ALPHA_TEST (defined in a line
// put before it), since a software rasteriser pays for every branch per pixel.
constexpr const char* FixedFragmentShader = R"(
precision highp float;
in vec4 vSmooth;
flat in vec4 vFlat;
in vec2 vTexCoord;
uniform bool uFlat;
uniform bool uReplace;
uniform bool uRgbTexture;
uniform sampler2D uSampler;
uniform bvec2 uClampBorder;
uniform vec2 uTextureSize;
uniform int uAlphaFunc;
uniform float uAlphaRef;
out vec4 FragColour;

// The share of a clamped coordinate's filter footprint that lies on the texture, not the border.
float Inside(float Coord, float Size) {
  float U = clamp(Coord, 0.0, 1.0) * Size - 0.5;
  if (U < 0.0) return U - floor(U);
  if (U > Size - 1.0) return 1.0 - (U - floor(U));
  return 1.0;
}

#ifdef ALPHA_TEST
bool Passes(float A) {
  if (uAlphaFunc == 0) return false;
  if (uAlphaFunc == 1) return A < uAlphaRef;
  if (uAlphaFunc == 2) return A == uAlphaRef;
  if (uAlphaFunc == 3) return A <= uAlphaRef;
  if (uAlphaFunc == 4) return A > uAlphaRef;
  if (uAlphaFunc == 5) return A != uAlphaRef;
  if (uAlphaFunc == 6) return A >= uAlphaRef;
  return true;
}
#endif

void main() {
  vec4 C = uFlat ? vFlat : vSmooth;
#ifdef TEXTURED
  {
    // Sampled with clamp-to-edge or repeat as the texture's wrap says.
    vec4 T = texture(uSampler, vTexCoord);
    float Share = (uClampBorder.x ? Inside(vTexCoord.x, uTextureSize.x) : 1.0) *
                  (uClampBorder.y ? Inside(vTexCoord.y, uTextureSize.y) : 1.0);
    // The border is transparent black; a texture without alpha keeps alpha 1.
    T.rgb *= Share;
    if (!uRgbTexture) T.a *= Share;
    C = uReplace ? (uRgbTexture ? vec4(T.rgb, C.a) : T) : C * T;
  }
#endif
#ifdef ALPHA_TEST
  if (!Passes(C.a)) discard;
#endif
  FragColour = C;
}
)";
