#include "Vector.h"

#include <cmath>

namespace {
constexpr double DegToRad = 3.14159265358979323846 / 180.0;
}

TVec3 MakeVector(float X, float Y, float Z) {
  TVec3 V;
  V.x = X;
  V.y = Y;
  V.z = Z;
  return V;
}

void ZeroVector(TVec3& V) { V = TVec3(); }

void HeadingVector(float& DX, float& DZ, float Distance, float AngleDeg) {
  const double A = double(AngleDeg) * DegToRad;
  DX = float(std::cos(A) * double(Distance));
  DZ = float(std::sin(A) * double(Distance));
}

int32_t RoundHalfEven(double Value) {
  // Explicit so the result never depends on the FPU's current rounding mode.
  const double Lower = std::floor(Value);
  const double Fraction = Value - Lower;
  double Result = Lower;
  if (Fraction > 0.5) {
    Result = Lower + 1;
  } else if (Fraction == 0.5) {
    Result = std::fmod(Lower, 2.0) == 0 ? Lower : Lower + 1;
  }
  return int32_t(Result);
}

int32_t HeadingTo(int32_t X1, int32_t Z1, int32_t X2, int32_t Z2) {
  const int64_t DX = int64_t(X2) - X1;
  const int64_t DZ = int64_t(Z2) - Z1;
  if (DX == 0) {
    if (DZ > 0) return 90;
    if (DZ < 0) return 270;
    return 0;
  }
  if (DZ == 0) return DX > 0 ? 0 : 180;
  const int32_t A = RoundHalfEven(std::atan(double(DZ) / double(DX)) / DegToRad);
  if (DX < 0) return A + 180;
  return DZ > 0 ? A : A + 360;  // below the axis: 270..360, 360 when A rounds to 0
}

void WrapAngle(float& A) {
  if (!std::isfinite(A)) return;  // would never leave the loops
  while (A > 360) A -= 360;
  while (A < 0) A += 360;
}

bool CirclesOverlap(float X1, float Z1, float R1, float X2, float Z2, float R2) {
  // Every step in 32-bit floats: touching circles must not count as overlapping.
  const float DX = X2 - X1;
  const float DZ = Z2 - Z1;
  const float D = std::sqrt(DX * DX + DZ * DZ);
  return R1 + R2 > D;
}
