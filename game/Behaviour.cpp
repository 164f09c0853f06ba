// One frame of the world: the player's move, shots, bullets, aliens, rockets,
// the player's contacts and the fragments. No GL here.
#include "World.h"

#include <cmath>

namespace {

constexpr float ArenaHalf = 2600;
constexpr float BurstDistance = 900;
constexpr float BurstSpacing = 50;

// Clamps one axis of the player to the arena; touching the edge stops the player dead.
void ClampAxis(float& Value, float& Speed) {
  if (Value < -ArenaHalf) {
    Value = -ArenaHalf;
    Speed = 0;
  } else if (Value > ArenaHalf) {
    Value = ArenaHalf;
    Speed = 0;
  }
}

// Random(N) draws 0..N-1, only for the kind that waits a random time.
template <typename TRandom>
int32_t AimedFireDelay(uint8_t Kind, TRandom Random) {
  if (Kind == 3) return 500;
  if (Kind == 4) return 250 + int32_t(Random(1000));
  return 100;
}

}  // namespace

void TWorld::UpdateWorld() {
  if (!Player) return;
  const TVec3 Before = Player->Position;
  Player->Move();
  ClampAxis(Player->Position.x, Player->Speed);
  ClampAxis(Player->Position.z, Player->Speed);
  CheckPlayerObstacles(Before);

  for (auto& Shot : *PlayerShots)
    if (Shot->Active) UpdatePlayerShot(*Shot);
  for (auto& Bullet : *AlienShots)
    if (Bullet->Active) UpdateAlienShot(*Bullet);
  for (auto& A : *Aliens) UpdateAlien(*A);
  for (auto& R : *Rockets) UpdateRocket(*R);
  CheckPlayerContacts();
  UpdateFragments();
}

void TWorld::UpdateAlien(TBlob& A) {
  A.Oscillate();
  switch (A.State) {
    case 0:
      EnterAlien(A);
      break;
    case 1: {
      A.Exploded = 0;
      A.SetBobSpeed(0.3f);
      A.Fired = 0;
      const TVec3 Before = A.Position;
      A.MoveToTarget();
      if (A.Touches(*Obstacles) && A.MovedNearerInto(*Obstacles, Before)) {
        A.Position = Before;
        ChooseNewTarget(A);
      }
      // Aimed fire runs even when this frame has just started a turn.
      if (A.Kind < 3 || A.Kind > 5 || !Player) break;
      if (A.FireDelay > 0) {
        A.FireDelay -= 1;
        break;
      }
      const float Heading = A.Rotation.y;
      A.Rotation.y = float(A.HeadingToward(Player->Position.x, Player->Position.z));
      A.Fired = LaunchAlienBullet(A) ? 1 : 0;
      A.FireDelay = AimedFireDelay(A.Kind, [this](uint32_t N) { return RandomInt(N); });
      A.Rotation.y = Heading;
      break;
    }
    case 2: {
      A.SetBobSpeed(0.5f);
      if (std::fabs(A.Rotation.y - A.AuxA) <= 1) {
        A.Rotation.y = float(A.HeadingToward(A.Target.x, A.Target.z));
        A.State = 1;
        break;
      }
      A.Rotation.y += float(A.TurnDir);
      WrapAngle(A.Rotation.y);
      if (!Player) break;
      const int32_t ToPlayer = A.HeadingToward(Player->Position.x, Player->Position.z);
      if (std::fabs(float(ToPlayer) - A.Rotation.y) < 1 && !A.Fired &&
          std::fabs(Player->Position.x - A.Position.x) > BurstDistance &&
          std::fabs(Player->Position.z - A.Position.z) > BurstDistance) {
        // Three bullets side by side, 50 apart, all along the alien's heading.
        A.Fired = LaunchAlienBullet(A) ? 1 : 0;
        for (float Side : {90.0f, -90.0f}) {
          const TVec3 Centre = A.Position;
          float DX = 0, DZ = 0;
          HeadingVector(DX, DZ, BurstSpacing, A.Rotation.y + Side);
          A.Position.x += DX;
          A.Position.z += DZ;
          A.Fired = LaunchAlienBullet(A) ? 1 : 0;
          A.Position = Centre;
        }
      }
      break;
    }
    case 3:
      ExplodeAlien(A);
      break;
    default:
      break;
  }
}

void TWorld::ChooseNewTarget(TBlob& A) {
  A.Target.x = float(RandomRange(-2600, 2600));
  A.Target.y = 0;
  A.Target.z = float(RandomRange(-2600, 2600));
  A.State = 2;
  A.AuxA = float(A.HeadingToward(A.Target.x, A.Target.z));
  // Left or right at random, so half the turns take the long way round.
  A.TurnDir = RandomInt(2) == 0 ? -1 : 1;
}

void TWorld::UpdateRocket(TBlob& R) {
  switch (R.State) {
    case 0:
      EnterRocket(R);
      break;
    case 1: {
      if (!Player) break;
      R.Target = Player->Position;
      R.Rotation.y = float(R.HeadingToward(Player->Position.x, Player->Position.z));
      const TVec3 Before = R.Position;
      R.MoveToTarget();
      if (R.Touches(*Obstacles)) {
        LevelKills += 1;
        R.Position = Before;
        R.State = 3;
      }
      break;
    }
    case 3:
      ExplodeRocket(R);
      break;
    default:
      break;
  }
}

void TWorld::UpdateFragments() {
  for (auto& Item : *Fragments) {
    TBlob& F = *Item;
    if (!F.Active) continue;
    F.Timer -= 1;
    if (F.Timer <= 0) {
      F.SetActive(false);
      continue;
    }
    F.Position.x += F.AuxA;
    F.Position.z += F.AuxB;
    F.Oscillate();
    F.Rotation.y += F.AuxC;
  }
}
