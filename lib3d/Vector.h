// The shared three-float vector and the world's geometry routines.
// Angles are degrees; a heading h points along (cos h, sin h) in the x-z plane.
#pragma once
#include <cstdint>

struct TVec3 {
  float x = 0, y = 0, z = 0;
};

TVec3 MakeVector(float X, float Y, float Z);
void ZeroVector(TVec3& V);

// DX = cos(AngleDeg) * Distance, DZ = sin(AngleDeg) * Distance.
void HeadingVector(float& DX, float& DZ, float Distance, float AngleDeg);

// Whole-degree heading from point 1 to point 2, in [0, 360] (360 when the
// angle below the x axis rounds to 0). Callers pass rounded positions.
int32_t HeadingTo(int32_t X1, int32_t Z1, int32_t X2, int32_t Z2);

// While A > 360 subtract 360, then while A < 0 add 360: exactly 360 stays.
void WrapAngle(float& A);

// True when the centres are strictly closer than R1 + R2 (32-bit floats; y ignored).
bool CirclesOverlap(float X1, float Z1, float R1, float X2, float Z2, float R2);

// Nearest integer, halves to even (the rounding the game uses for positions).
int32_t RoundHalfEven(double Value);
