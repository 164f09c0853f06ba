// 4 x 4 matrices as the fixed-function pipeline keeps them: float, column
// major (element [c * 4 + r] is row r of column c), multiplied on the right
// as glMultMatrix does. No GL here, so the arithmetic is tested natively.
#pragma once

struct TMat4 {
  float M[16];
};

TMat4 IdentityMatrix();
// A * B: B is applied to a vector first.
TMat4 MultiplyMatrix(const TMat4& A, const TMat4& B);
TMat4 TranslationMatrix(float X, float Y, float Z);
TMat4 ScaleMatrix(float X, float Y, float Z);
// Degrees about the axis (X, Y, Z), normalised; a zero axis gives the identity.
TMat4 RotationMatrix(float Degrees, float X, float Y, float Z);
// The projections of glFrustum, glOrtho and gluPerspective; false (matrix
// untouched) for the arguments GL rejects.
bool FrustumMatrix(double L, double R, double B, double T, double N, double F, TMat4& Out);
bool OrthoMatrix(double L, double R, double B, double T, double N, double F, TMat4& Out);
TMat4 PerspectiveMatrix(double FovYDegrees, double Aspect, double Near, double Far);
// The matrix that carries normals: the inverse transpose of the upper 3 x 3,
// column major in 9 floats. A singular matrix gives its transpose.
void NormalMatrix(const TMat4& ModelView, float (&Out)[9]);
// Out = A * (X, Y, Z, W).
void TransformPoint(const TMat4& A, const float (&In)[4], float (&Out)[4]);
