// The geometry routines: heading vector, heading to a point, angle wrap,
// circle overlap and rounding.
#include <gtest/gtest.h>

#include "Vector.h"

TEST(Geometry, HeadingVectorPointsAlongCosSin) {
  float DX = 0, DZ = 0;
  HeadingVector(DX, DZ, 10, 0);
  EXPECT_FLOAT_EQ(DX, 10);
  EXPECT_FLOAT_EQ(DZ, 0);
  HeadingVector(DX, DZ, 10, 90);
  EXPECT_NEAR(DX, 0, 1e-5);
  EXPECT_FLOAT_EQ(DZ, 10);
  HeadingVector(DX, DZ, -4, 180);  // a negative distance goes backwards
  EXPECT_FLOAT_EQ(DX, 4);
  EXPECT_NEAR(DZ, 0, 1e-5);
}

TEST(Geometry, HeadingToCoversEveryQuadrantAndAxis) {
  EXPECT_EQ(HeadingTo(0, 0, 10, 10), 45);
  EXPECT_EQ(HeadingTo(0, 0, 10, -10), 315);
  EXPECT_EQ(HeadingTo(0, 0, 10, 0), 0);
  EXPECT_EQ(HeadingTo(0, 0, -10, 10), 135);
  EXPECT_EQ(HeadingTo(0, 0, -10, -10), 225);
  EXPECT_EQ(HeadingTo(0, 0, -10, 0), 180);
  EXPECT_EQ(HeadingTo(0, 0, 0, 10), 90);
  EXPECT_EQ(HeadingTo(0, 0, 0, -10), 270);
  EXPECT_EQ(HeadingTo(7, -3, 7, -3), 0);
  // atan(2) = 63.43 degrees, so 63; from the other side 180 + 63.
  EXPECT_EQ(HeadingTo(0, 0, 1000, 2000), 63);
  EXPECT_EQ(HeadingTo(1000, 2000, 0, 0), 243);
  // atan(-1/1000) = -0.057 degrees rounds to 0: just below the axis is 360, not 0.
  EXPECT_EQ(HeadingTo(0, 0, 1000, -1), 360);
}

TEST(Geometry, RoundHalfEvenSendsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
}

TEST(Geometry, WrapAngleKeepsExactly360) {
  float A = 361;
  WrapAngle(A);
  EXPECT_FLOAT_EQ(A, 1);
  A = -1;
  WrapAngle(A);
  EXPECT_FLOAT_EQ(A, 359);
  A = 360;
  WrapAngle(A);
  EXPECT_FLOAT_EQ(A, 360);
  A = 720.5f;
  WrapAngle(A);
  EXPECT_FLOAT_EQ(A, 0.5f);
  A = -725;
  WrapAngle(A);
  EXPECT_FLOAT_EQ(A, 355);
}

TEST(Geometry, TouchingCirclesDoNotOverlap) {
  // Centres 5 apart (a 3-4-5 triangle), radii adding up to exactly 5.
  EXPECT_FALSE(CirclesOverlap(0, 0, 1.5f, 3, 4, 3.5f));
  EXPECT_TRUE(CirclesOverlap(0, 0, 1.5f, 3, 4, 3.501f));
  EXPECT_FALSE(CirclesOverlap(0, 0, 1.5f, 3, 4, 3.499f));
  // Zero radii never overlap, even at the same spot.
  EXPECT_FALSE(CirclesOverlap(2, 2, 0, 2, 2, 0));
  EXPECT_TRUE(CirclesOverlap(2, 2, 0, 2, 2, 0.01f));
}

TEST(Geometry, VectorsAreBuiltAndCleared) {
  TVec3 V = MakeVector(1, -2, 3.5f);
  EXPECT_FLOAT_EQ(V.x, 1);
  EXPECT_FLOAT_EQ(V.y, -2);
  EXPECT_FLOAT_EQ(V.z, 3.5f);
  ZeroVector(V);
  EXPECT_EQ(V.x, 0);
  EXPECT_EQ(V.y, 0);
  EXPECT_EQ(V.z, 0);
}
