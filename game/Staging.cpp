// What tools stage: a busy scene for pictures and benchmarks, a colour scheme,
// a score, a level, a hit. They reach the world through the input stream, so
// a staged run is recorded and replays like any other.
#include <cmath>

#include "World.h"

namespace {

// A place Distance ahead of the player, Degrees off its heading.
TVec3 Ahead(const TBlob& Player, float Distance, float Degrees) {
  const float A = (Player.Rotation.y + Degrees) * float(M_PI) / 180.0f;
  return MakeVector(Player.Position.x + Distance * std::cos(A), 0, Player.Position.z + Distance * std::sin(A));
}

}  // namespace

void TWorld::Stage(TStaging What, int32_t Value) {
  switch (What) {
    case TStaging::Busy:
      StageBusyScene();
      break;
    case TStaging::Scheme:
      ColourScheme = Value;
      break;
    case TStaging::Score:
      Score = Value;
      break;
    case TStaging::Level:
      if (Value >= 0 && Value <= 9) Level = Value;
      break;
    case TStaging::Hit:
      HitsByAlien += 1;
      break;
  }
}

void TWorld::StageBusyScene() {
  if (!Player || !Aliens) return;
  const TBlob& P = *Player;
  int i = 0;
  for (auto& Item : *Aliens) {
    TBlob& A = *Item;
    ++i;
    if (A.State != 0) continue;
    A.Position = Ahead(P, 500.0f + 60.0f * float(i), float(i * 17 % 90) - 45.0f);
    A.Radius = Radii.Aliens[(A.Kind - 2) & 3];
    A.Target = Ahead(P, 2500, float(i * 37 % 360));
    A.DeathTimer = 250;
    A.Exploded = 0;
    A.Speed = 6;
    A.OnArrive = [this](TBlob& Arrived) { ChooseNewTarget(Arrived); };
    A.SetActive(true);
    A.State = 1;
    A.SetBobSpeed(0.3f);
    A.BobMax = 24;
  }
  for (auto& Item : *Rockets) {
    TBlob& R = *Item;
    ++i;
    if (R.State != 0) continue;
    R.Position = Ahead(P, 1800, float(i * 23 % 120) - 60.0f);
    R.Radius = Radii.Rocket;
    R.DeathTimer = 250;
    R.Exploded = 0;
    R.Speed = 4;
    R.Target = P.Position;
    R.SetActive(true);
    R.State = 1;
  }
  for (int Free = int(Fragments->size()) - TBlob::CountActive(*Fragments); Free > 0; --Free)
    ThrowFragment(*(*Aliens)[Free % 20], {1, 1, 0});
  // Nobody wins: no game over, no level advance, the colour scheme stays.
  HitsByAlien = HitsByRocket = HitsByAlienShot = 0;
  LevelKills = 0;
}
