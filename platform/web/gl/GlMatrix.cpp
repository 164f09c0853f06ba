#include "GlMatrix.h"

#include <cmath>

TMat4 IdentityMatrix() {
  TMat4 I{};
  I.M[0] = I.M[5] = I.M[10] = I.M[15] = 1;
  return I;
}

TMat4 MultiplyMatrix(const TMat4& A, const TMat4& B) {
  TMat4 C{};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      float Sum = 0;
      for (int k = 0; k < 4; ++k) Sum += A.M[k * 4 + r] * B.M[c * 4 + k];
      C.M[c * 4 + r] = Sum;
    }
  return C;
}

TMat4 TranslationMatrix(float X, float Y, float Z) {
  TMat4 T = IdentityMatrix();
  T.M[12] = X;
  T.M[13] = Y;
  T.M[14] = Z;
  return T;
}

TMat4 ScaleMatrix(float X, float Y, float Z) {
  TMat4 S = IdentityMatrix();
  S.M[0] = X;
  S.M[5] = Y;
  S.M[10] = Z;
  return S;
}

TMat4 RotationMatrix(float Degrees, float X, float Y, float Z) {
  const double Length = std::sqrt(double(X) * X + double(Y) * Y + double(Z) * Z);
  if (Length == 0) return IdentityMatrix();
  const double x = X / Length, y = Y / Length, z = Z / Length;
  const double Radians = Degrees * M_PI / 180.0;
  const double c = std::cos(Radians), s = std::sin(Radians), t = 1 - c;
  TMat4 R = IdentityMatrix();
  R.M[0] = float(x * x * t + c);
  R.M[1] = float(y * x * t + z * s);
  R.M[2] = float(x * z * t - y * s);
  R.M[4] = float(x * y * t - z * s);
  R.M[5] = float(y * y * t + c);
  R.M[6] = float(y * z * t + x * s);
  R.M[8] = float(x * z * t + y * s);
  R.M[9] = float(y * z * t - x * s);
  R.M[10] = float(z * z * t + c);
  return R;
}

bool FrustumMatrix(double L, double R, double B, double T, double N, double F, TMat4& Out) {
  if (N <= 0 || F <= 0 || L == R || B == T || N == F) return false;
  Out = TMat4{};
  Out.M[0] = float(2 * N / (R - L));
  Out.M[5] = float(2 * N / (T - B));
  Out.M[8] = float((R + L) / (R - L));
  Out.M[9] = float((T + B) / (T - B));
  Out.M[10] = float(-(F + N) / (F - N));
  Out.M[11] = -1;
  Out.M[14] = float(-2 * F * N / (F - N));
  return true;
}

bool OrthoMatrix(double L, double R, double B, double T, double N, double F, TMat4& Out) {
  if (L == R || B == T || N == F) return false;
  Out = IdentityMatrix();
  Out.M[0] = float(2 / (R - L));
  Out.M[5] = float(2 / (T - B));
  Out.M[10] = float(-2 / (F - N));
  Out.M[12] = float(-(R + L) / (R - L));
  Out.M[13] = float(-(T + B) / (T - B));
  Out.M[14] = float(-(F + N) / (F - N));
  return true;
}

TMat4 PerspectiveMatrix(double FovYDegrees, double Aspect, double Near, double Far) {
  const double Radians = FovYDegrees / 2 * M_PI / 180;
  const double Sine = std::sin(Radians);
  const double Depth = Far - Near;
  // The cases GLU leaves the matrix alone for.
  if (Depth == 0 || Sine == 0 || Aspect == 0) return IdentityMatrix();
  const double Cot = std::cos(Radians) / Sine;
  TMat4 P{};
  P.M[0] = float(Cot / Aspect);
  P.M[5] = float(Cot);
  P.M[10] = float(-(Far + Near) / Depth);
  P.M[11] = -1;
  P.M[14] = float(-2 * Near * Far / Depth);
  return P;
}

void NormalMatrix(const TMat4& A, float (&Out)[9]) {
  // Upper 3 x 3, a(r, c).
  auto a = [&A](int r, int c) { return double(A.M[c * 4 + r]); };
  const double C00 = a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1);
  const double C01 = a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2);
  const double C02 = a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0);
  const double Det = a(0, 0) * C00 + a(0, 1) * C01 + a(0, 2) * C02;
  if (Det == 0) {
    for (int c = 0; c < 3; ++c)
      for (int r = 0; r < 3; ++r) Out[c * 3 + r] = float(a(c, r));
    return;
  }
  // The inverse transpose is the cofactor matrix over the determinant.
  const double Cof[3][3] = {
      {C00, C01, C02},
      {a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2), a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0),
       a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1)},
      {a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1), a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2),
       a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0)},
  };
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) Out[c * 3 + r] = float(Cof[r][c] / Det);
}

void TransformPoint(const TMat4& A, const float (&In)[4], float (&Out)[4]) {
  for (int r = 0; r < 4; ++r)
    Out[r] = A.M[r] * In[0] + A.M[4 + r] * In[1] + A.M[8 + r] * In[2] + A.M[12 + r] * In[3];
}
