// The game object: defaults, moves with and without a lifetime, arrival,
// the oscillator, hit tests and counting.
#include <gtest/gtest.h>

#include "blob.h"

namespace {

std::unique_ptr<TBlob> At(float X, float Z, float Radius, bool Active = true, uint8_t State = 0) {
  auto B = std::make_unique<TBlob>();
  B->Position = MakeVector(X, 0, Z);
  B->Radius = Radius;
  B->Active = Active;
  B->State = State;
  return B;
}

}  // namespace

TEST(Blob, CreateSetsWhiteColourAndLifetime200) {
  TBlob B;
  EXPECT_FLOAT_EQ(B.Colour.x, 1);
  EXPECT_FLOAT_EQ(B.Colour.y, 1);
  EXPECT_FLOAT_EQ(B.Colour.z, 1);
  EXPECT_EQ(B.Lifetime, 200);
  EXPECT_EQ(B.Active, 0);
  EXPECT_EQ(B.State, 0);
  EXPECT_EQ(B.Speed, 0);
  EXPECT_FALSE(B.OnArrive);
}

TEST(BlobMove, DefaultLifetimeAllows199Moves) {
  TBlob B;
  B.SetActive(true);
  B.Speed = 1;
  for (int i = 0; i < 198; ++i) B.Move();
  EXPECT_TRUE(B.Active);
  EXPECT_EQ(B.StepCount, 198);
  B.Move();
  EXPECT_FALSE(B.Active);
  EXPECT_FLOAT_EQ(B.Position.x, 199) << "the last move still moves";
  EXPECT_EQ(B.StepCount, 0) << "deactivation clears the count";
}

TEST(BlobMove, LifetimeOfOneOrLessEndsOnTheFirstMove) {
  for (int L : {1, 0, -5}) {
    TBlob B;
    B.SetActive(true);
    B.Lifetime = L;
    B.Move();
    EXPECT_FALSE(B.Active) << "Lifetime " << L;
  }
}

TEST(BlobMove, VelocityYIsAddedUnchanged) {
  TBlob B;
  B.Speed = 2;
  B.Rotation.y = 90;
  B.Velocity.y = 0.5f;
  B.Move();
  EXPECT_NEAR(B.Position.x, 0, 1e-5);
  EXPECT_FLOAT_EQ(B.Position.y, 0.5f);
  EXPECT_FLOAT_EQ(B.Position.z, 2);
  EXPECT_FLOAT_EQ(B.Velocity.z, 2);
}

TEST(BlobMove, SetActiveAlwaysClearsTheStepCount) {
  TBlob B;
  B.SetActive(true);
  B.Move();
  B.Move();
  B.SetActive(true);
  EXPECT_EQ(B.StepCount, 0);
}

TEST(BlobArrival, PassingTheDestinationOnOneAxisArrivesWhileFarOnTheOther) {
  TBlob B;
  int Arrivals = 0;
  B.OnArrive = [&](TBlob& Sender) {
    EXPECT_EQ(&Sender, &B);
    ++Arrivals;
  };
  B.Speed = 10;
  B.Rotation.y = 45;  // about (7.07, 7.07) per step
  B.Target = MakeVector(12, 0, 1000);
  B.MoveToTarget();
  EXPECT_EQ(Arrivals, 0) << "still short of X = 12";
  B.MoveToTarget();
  EXPECT_EQ(Arrivals, 1) << "past X = 12 and still moving away, 986 short on Z";
}

TEST(BlobArrival, PassingOnZWhileMovingDownArrives) {
  TBlob B;
  int Arrivals = 0;
  B.OnArrive = [&](TBlob&) { ++Arrivals; };
  B.Speed = 10;
  B.Rotation.y = 270;
  B.Position = MakeVector(-500, 0, 0);
  B.Target = MakeVector(-5000, 0, -5);  // X: behind it, whatever the tiny cos(270) gives
  B.MoveToTarget();
  EXPECT_EQ(Arrivals, 1);
}

TEST(BlobArrival, WithinFourStepsOnEveryAxisArrivesOnceAndSpeedZeroNever) {
  TBlob B;
  int Arrivals = 0;
  B.OnArrive = [&](TBlob&) { ++Arrivals; };
  B.Speed = 10;
  B.Target = MakeVector(45, 0, 0);
  B.MoveToTarget();  // x 10: 35 away, less than 40
  EXPECT_EQ(Arrivals, 1);

  TBlob Still;
  Still.OnArrive = [&](TBlob&) { ++Arrivals; };
  Still.MoveToTarget();  // at its target, but a speed of 0 never arrives
  EXPECT_EQ(Arrivals, 1);
}

TEST(BlobArrival, AnEmptyEventIsHarmless) {
  TBlob B;
  B.Speed = 10;
  B.Target = MakeVector(1, 0, 0);
  B.MoveToTarget();
  EXPECT_FLOAT_EQ(B.Position.x, 10);
  EXPECT_EQ(B.StepCount, 0) << "MoveToTarget never counts steps";
}

TEST(BlobOscillate, PingPongsBetweenTheBounds) {
  TBlob B;
  B.BobStep = 2;
  B.BobMax = 3;
  const float Expected[] = {2, 3, 1, 0, 2, 3};
  for (float E : Expected) {
    B.Oscillate();
    EXPECT_FLOAT_EQ(B.Bob, E);
  }
  B.BobStep = 0;
  B.Oscillate();
  EXPECT_EQ(B.Bob, 0) << "a zero step forces Bob back to 0";
}

TEST(BlobOscillate, SetBobSpeedKeepsTheDirection) {
  TBlob B;
  B.BobStep = -0.5f;
  B.SetBobSpeed(0.3f);
  EXPECT_FLOAT_EQ(B.BobStep, -0.3f);
  B.BobStep = 0;
  B.SetBobSpeed(0.3f);
  EXPECT_FLOAT_EQ(B.BobStep, 0.3f);
}

TEST(BlobCheckHits, MarksScoresAndReportsEachHitSkippingInactiveAndState3) {
  TBlobList List;
  List.push_back(At(5, 0, 2));                 // hit
  List.push_back(At(5, 0, 2, false));          // inactive: skipped
  List.push_back(At(5, 0, 2, true, 3));        // already hit: skipped
  List.push_back(At(500, 0, 2));               // too far
  List.push_back(At(-4, 0, 1, true, 2));       // hit
  auto Tester = At(0, 0, 4);
  int32_t Tally = 7;
  int Raised = 0;
  const int32_t Hits = Tester->CheckHits(List, 3, Tally, 500, [&](TBlob& Sender) {
    EXPECT_EQ(&Sender, Tester.get()) << "the handler gets the testing object";
    ++Raised;
  });
  EXPECT_EQ(Hits, 2);
  EXPECT_EQ(Raised, 2);
  EXPECT_EQ(Tally, 1007);
  EXPECT_EQ(List[0]->State, 3);
  EXPECT_EQ(List[1]->State, 0);
  EXPECT_EQ(List[3]->State, 0);
  EXPECT_EQ(List[4]->State, 3);
}

TEST(BlobCheckHits, NewState4OnlyCounts) {
  TBlobList List;
  List.push_back(At(1, 1, 2, true, 1));
  List.push_back(At(-1, 1, 2, true, 2));
  auto Tester = At(0, 0, 1);
  Tester->Active = false;  // the tester's own flags play no part
  Tester->State = 3;
  int32_t Tally = 0;
  int Raised = 0;
  EXPECT_EQ(Tester->CheckHits(List, 4, Tally, 500, [&](TBlob&) { ++Raised; }), 2);
  EXPECT_EQ(Raised, 2);
  EXPECT_EQ(Tally, 0);
  EXPECT_EQ(List[0]->State, 1);
  EXPECT_EQ(List[1]->State, 2);
  TBlobList Empty;
  EXPECT_EQ(Tester->CheckHits(Empty, 3, Tally, 500, TBlobEvent()), 0);
}

TEST(BlobCount, CountKindIgnoresActiveAndSkipsState0) {
  TBlobList List;
  List.push_back(At(0, 0, 0, false, 1));
  List.push_back(At(0, 0, 0, true, 0));
  List.push_back(At(0, 0, 0, true, 3));
  List.push_back(At(0, 0, 0, true, 2));
  for (auto& B : List) B->Kind = 4;
  List[3]->Kind = 5;
  EXPECT_EQ(TBlob::CountKind(List, 4), 2);
  EXPECT_EQ(TBlob::CountKind(List, 5), 1);
  EXPECT_EQ(TBlob::CountKind(List, 2), 0);
}

TEST(BlobCount, IsAliveInStates1And2) {
  TBlob B;
  const bool Expected[] = {false, true, true, false};
  for (uint8_t S = 0; S < 4; ++S) {
    B.State = S;
    EXPECT_EQ(B.IsAlive(), Expected[S]) << int(S);
  }
}
