#include "blob.h"

#include <cmath>

TBlob::TBlob() { Colour = MakeVector(1, 1, 1); }

void TBlob::Step() {
  HeadingVector(Velocity.x, Velocity.z, Speed, Rotation.y);
  Position.x += Velocity.x;
  Position.y += Velocity.y;
  Position.z += Velocity.z;
}

void TBlob::Move() {
  Step();
  StepCount += 1;
  // Lifetime L allows L - 1 moves: the last one both moves and deactivates.
  if (StepCount >= Lifetime - 1) SetActive(false);
}

void TBlob::MoveToTarget() {
  Step();
  const float Near = 4 * Speed;
  const bool Arrived =
      (Position.x < Target.x && Velocity.x < 0) || (Position.x > Target.x && Velocity.x > 0) ||
      (Position.z > Target.z && Velocity.z > 0) || (Position.z < Target.z && Velocity.z < 0) ||
      (std::fabs(Target.x - Position.x) < Near && std::fabs(Target.y - Position.y) < Near &&
       std::fabs(Target.z - Position.z) < Near);
  if (Arrived && OnArrive) OnArrive(*this);
}

void TBlob::SetActive(bool Value) {
  Active = Value ? 1 : 0;
  StepCount = 0;
}

int32_t TBlob::CheckHits(TBlobList& List, uint8_t NewState, int32_t& Tally, int32_t Points,
                         const TBlobEvent& OnHit) {
  int32_t Hits = 0;
  const size_t Count = List.size();
  for (size_t i = 0; i < Count; ++i) {
    TBlob& O = *List[i];
    if (!O.Active || O.State == 3) continue;
    if (!CirclesOverlap(Position.x, Position.z, Radius, O.Position.x, O.Position.z, O.Radius))
      continue;
    if (NewState != 4) {
      O.State = NewState;
      Tally += Points;
    }
    Hits += 1;
    if (OnHit) OnHit(*this);
  }
  return Hits;
}

void TBlob::Oscillate() {
  if (BobStep == 0) {
    Bob = 0;
    return;
  }
  Bob += BobStep;
  if (Bob > BobMax) {
    Bob = BobMax;
    BobStep = -BobStep;
  } else if (Bob < BobMin) {
    Bob = BobMin;
    BobStep = -BobStep;
  }
}

void TBlob::SetBobSpeed(float Value) { BobStep = BobStep >= 0 ? Value : -Value; }

int32_t TBlob::CountKind(const TBlobList& List, uint8_t Kind) {
  int32_t N = 0;
  for (const auto& O : List) N += (O->State != 0 && O->Kind == Kind);
  return N;
}

int32_t TBlob::CountActive(const TBlobList& List) {
  int32_t N = 0;
  for (const auto& O : List) N += O->Active ? 1 : 0;
  return N;
}

bool TBlob::IsAlive() const { return State == 1 || State == 2; }

bool TBlob::Touches(const TBlobList& List) const {
  for (const auto& O : List)
    if (O->Active && O->State != 3 &&
        CirclesOverlap(Position.x, Position.z, Radius, O->Position.x, O->Position.z, O->Radius))
      return true;
  return false;
}

bool TBlob::MovedNearerInto(const TBlobList& List, const TVec3& Before) const {
  auto Squared = [](const TVec3& A, const TVec3& B) {
    const double DX = double(A.x) - double(B.x), DZ = double(A.z) - double(B.z);
    return DX * DX + DZ * DZ;
  };
  for (const auto& O : List) {
    if (!O->Active || O->State == 3) continue;
    if (!CirclesOverlap(Position.x, Position.z, Radius, O->Position.x, O->Position.z, O->Radius)) continue;
    if (Squared(Position, O->Position) < Squared(Before, O->Position)) return true;
  }
  return false;
}

TBlob* TBlob::FirstInactive(TBlobList& List) {
  for (auto& O : List)
    if (!O->Active) return O.get();
  return nullptr;
}

int32_t TBlob::HeadingToward(float X, float Z) const {
  return HeadingTo(RoundHalfEven(Position.x), RoundHalfEven(Position.z), RoundHalfEven(X), RoundHalfEven(Z));
}
