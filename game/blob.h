// TBlob: every object of the game world. Objects are made once per new game
// and recycled through Active and State; nothing here allocates during play.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "Owned.h"
#include "Vector.h"

class TBlob;

// A bound callback taking the TBlob that raises it; empty means nothing happens.
using TBlobEvent = std::function<void(TBlob&)>;

// An ordered list of objects; the list owns them.
using TBlobList = std::vector<TOwned<TBlob>>;

class TBlob {
 public:
  TBlob();
  virtual ~TBlob() = default;

  // One step along the heading; deactivates on reaching Lifetime - 1 steps.
  void Move();
  // One step along the heading, then raises OnArrive when Target is reached or passed.
  virtual void MoveToTarget();
  void SetActive(bool Value);
  // Hit test against every active object of List not in State 3. NewState 4
  // only counts; otherwise the hit object's State := NewState and Tally += Points.
  // OnHit is raised with this (the testing) object once per hit.
  int32_t CheckHits(TBlobList& List, uint8_t NewState, int32_t& Tally, int32_t Points,
                    const TBlobEvent& OnHit);
  void Oscillate();
  void SetBobSpeed(float Value);
  // Count-only hit test: whether this object overlaps any object of List that can be hit.
  bool Touches(const TBlobList& List) const;
  // Whether a move from Before to the present Position brought this object's
  // centre nearer (X-Z, squared, in double) to the centre of an object of List
  // that it now overlaps. Only such a move is undone at an obstacle, so an
  // object that starts inside one can still leave it.
  bool MovedNearerInto(const TBlobList& List, const TVec3& Before) const;
  // Objects of List whose State is not 0 and whose Kind matches; Active is ignored.
  static int32_t CountKind(const TBlobList& List, uint8_t Kind);
  // Objects of List in play (Active).
  static int32_t CountActive(const TBlobList& List);
  // The first object of List that is not in play, or null: how every list hands out objects.
  static TBlob* FirstInactive(TBlobList& List);
  // Whole-degree heading from this object to (X, Z), both places rounded halves to even.
  int32_t HeadingToward(float X, float Z) const;
  bool IsAlive() const;

  int32_t StepCount = 0;
  TBlobEvent OnArrive;
  uint8_t Kind = 0;
  TVec3 Colour;
  float Bob = 0;
  float BobStep = 0;
  float BobMax = 0;
  float BobMin = 0;
  int32_t TurnDir = 0;
  uint8_t State = 0;
  uint8_t Fired = 0;
  float AuxA = 0;
  float AuxB = 0;
  float AuxC = 0;
  int32_t Timer = 0;
  int32_t DeathTimer = 0;
  int32_t Exploded = 0;
  int32_t FireDelay = 0;
  TVec3 Target;
  float Radius = 0;
  int32_t Lifetime = 200;
  uint8_t Active = 0;
  TVec3 Position;
  TVec3 Rotation;
  TVec3 Velocity;
  float Speed = 0;
  float Roll = 0;

 private:
  void Step();
};
