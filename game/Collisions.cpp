// Contact tests, hits, scoring, explosions and the fragments they throw. No GL here.
#include "World.h"

namespace {

constexpr int32_t AlienPoints = 500;
constexpr int32_t RocketPoints = 1000;
constexpr int32_t AlienShotPoints = 100;

const TVec3 ShotFragmentColour = {1, 1, 1};
const TVec3 BulletFragmentColour = {1, 0, 1};

}  // namespace

void TWorld::CheckPlayerObstacles(const TVec3& PositionBeforeMove) {
  int32_t Unused = 0;
  const int32_t N = Player->CheckHits(*Obstacles, 4, Unused, 0,
                                      [this](TBlob& Sender) { PlayBumpSound(Sender); });
  if (N > 0) {
    // The bump is heard once more when the contact begins.
    if (!TouchingObstacle) Sound().RestartSound(WaveMeHitObstacle);
    TouchingObstacle = 1;
    // Only a move towards an obstacle's centre is undone: a player inside one drives out.
    if (Player->MovedNearerInto(*Obstacles, PositionBeforeMove)) {
      Player->Position = PositionBeforeMove;
      Player->Speed = 0;
    }
  } else {
    TouchingObstacle = 0;
  }
}

void TWorld::UpdatePlayerShot(TBlob& Shot) {
  int32_t Unused = 0;
  // Every test is made, also after an earlier one has hit.
  const int32_t Obstacle = Shot.CheckHits(*Obstacles, 4, Unused, 0, [this](TBlob& Sender) {
    PlayShotObstacleSound(Sender);
  });
  const int32_t AlienHits = Shot.CheckHits(*Aliens, 3, Score, AlienPoints, [this](TBlob& Sender) {
    PlayAlienHitSound(Sender);
  });
  const int32_t RocketHits = Shot.CheckHits(*Rockets, 3, Score, RocketPoints,
                                            [this](TBlob& Sender) { PlayRocketHitSound(Sender); });
  const int32_t BulletHits = Shot.CheckHits(*AlienShots, 3, Score, AlienShotPoints, TBlobEvent());
  if (Obstacle + AlienHits + RocketHits + BulletHits > 0) {
    LevelKills += AlienHits + RocketHits;
    Explode(Shot, ShotFragmentColour);
    Shot.SetActive(false);
    return;
  }
  Shot.Oscillate();
  Shot.Roll += 4;
  if (Shot.Roll > 360) Shot.Roll -= 360;
  Shot.Move();
}

void TWorld::UpdateAlienShot(TBlob& Bullet) {
  if (Bullet.State == 3) {
    Explode(Bullet, BulletFragmentColour);
    Bullet.State = 0;
    Bullet.SetActive(false);
    return;
  }
  if (Bullet.Touches(*Obstacles)) {
    Bullet.SetActive(false);  // gone without fragments or sound
    return;
  }
  Bullet.Move();
}

void TWorld::CheckPlayerContacts() {
  // However many objects touch the player, each kind of contact counts once per frame.
  int32_t Unused = 0;
  // An alien resting on the player costs one hit when the contact begins, not one every frame.
  const bool AlienContact = Player->Touches(*Aliens);
  if (AlienContact && !TouchingAlien) HitsByAlien += 1;
  TouchingAlien = AlienContact ? 1 : 0;
  if (Player->CheckHits(*Rockets, 3, Unused, 0, TBlobEvent()) > 0) {
    HitsByRocket += 1;
    LevelKills += 1;
  }
  if (Player->CheckHits(*AlienShots, 3, Unused, 0, TBlobEvent()) > 0) HitsByAlienShot += 1;
}

void TWorld::ExplodeAlien(TBlob& A) {
  ExplodeOnce(A);
  A.DeathTimer -= 1;
  if (A.DeathTimer <= 0) {
    A.State = 0;
    RandomTeleportPosition(A.Position);
    // Out of play while it waits: an unseen alien can be neither shot nor felt.
    A.SetActive(false);
  }
}

void TWorld::ExplodeRocket(TBlob& R) {
  Sound().Stop(WaveRocketHum);
  ExplodeOnce(R);
  R.DeathTimer -= 1;
  if (R.DeathTimer <= 0) {
    PlaceBeyondEdge(R);
    R.Timer = int32_t(RandomInt(500));
    R.State = 0;
    // Out of play while it waits; its launch countdown still runs in State 0.
    R.SetActive(false);
  }
}

void TWorld::ExplodeOnce(TBlob& Target) {
  if (Target.Exploded != 0) return;
  Target.Exploded = 1;
  TVec3 Col;
  RandomPrimaryColour(Col);
  Explode(Target, Col);
}

void TWorld::Explode(TBlob& Source, const TVec3& Col) {
  const uint32_t Count = RandomInt(10) + 25;
  for (uint32_t i = 0; i < Count; ++i) ThrowFragment(Source, Col);
}

void TWorld::ThrowFragment(TBlob& Source, const TVec3& Col) {
  TBlob* F = TBlob::FirstInactive(*Fragments);
  if (!F) return;
  F->Position = Source.Position;
  ZeroVector(F->Rotation);
  F->SetActive(true);
  F->Bob = 0;
  F->SetBobSpeed(float(RandomFloat() * 4 + 2));
  F->BobMax = float(RandomFloat() * 250 + 100);
  F->BobMin = 0;
  F->Timer = int32_t(RandomInt(100));
  F->AuxA = float(RandomRange(-1, 1));
  F->AuxB = float(RandomRange(-1, 1));
  F->AuxC = float(RandomRange(-3, 3));
  F->Colour = Col;
}
