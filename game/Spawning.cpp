// Random numbers, the creation of every object list, the two launches and the
// entry of aliens and rockets into play. No GL here.
#include "ObjectCounts.h"
#include "World.h"

namespace {

constexpr int32_t ArenaHalf = 2600;

// Column of a group's total and of its max in a level row.
int32_t GroupTotal(const TLevelRow& Row, int32_t Group) { return Row[Group * 2]; }
int32_t GroupMax(const TLevelRow& Row, int32_t Group) { return Row[Group * 2 + 1]; }

void Append(TBlobList& List, int32_t Count) {
  for (int32_t i = 0; i < Count; ++i) List.push_back(std::make_unique<TBlob>());
}

}  // namespace

// --- random numbers: one LCG from seed 0, so every run draws the same sequence

uint32_t TWorld::RandomInt(uint32_t N) {
  RandSeed = RandSeed * 134775813u + 1u;
  return uint32_t((uint64_t(RandSeed) * N) >> 32);
}

double TWorld::RandomFloat() {
  RandSeed = RandSeed * 134775813u + 1u;
  return double(RandSeed) / 4294967296.0;
}

int32_t TWorld::RandomRange(int32_t Lo, int32_t Hi) {
  return Lo + int32_t(RandomInt(uint32_t(Hi - Lo + 1)));
}

void TWorld::RandomPrimaryColour(TVec3& Col) {
  switch (RandomInt(3)) {
    case 0: Col = MakeVector(1, 0, 0); break;
    case 1: Col = MakeVector(0, 1, 0); break;
    default: Col = MakeVector(0, 0, 1); break;
  }
}

void TWorld::RandomTeleportPosition(TVec3& P) {
  const uint32_t Index = RandomInt(uint32_t(Teleports->size()));
  if (Index < Teleports->size()) P = (*Teleports)[Index]->Position;
}

// --- creation, in the order NewGame calls them

void TWorld::CreatePlayerShots() { Append(*PlayerShots, PlayerShotCount); }

void TWorld::CreateAlienShots() { Append(*AlienShots, AlienShotCount); }

// A new object on the floor at a random place in the arena: X drawn first, then Z.
std::unique_ptr<TBlob> TWorld::NewObjectAtRandom() {
  auto O = std::make_unique<TBlob>();
  O->Position.x = float(RandomRange(-ArenaHalf, ArenaHalf));
  O->Position.z = float(RandomRange(-ArenaHalf, ArenaHalf));
  O->Position.y = 0;
  return O;
}

void TWorld::CreateObstacles() {
  for (int32_t i = 0; i < ObstacleCount; ++i) {
    auto O = NewObjectAtRandom();
    // Before start-up has read the model this is 0; StartUp sets it again.
    O->Radius = Radii.Obstacle;
    O->SetActive(true);
    Obstacles->push_back(std::move(O));
  }
}

void TWorld::CreateTeleports() {
  for (int32_t i = 0; i < TeleportCount; ++i) {
    auto T = NewObjectAtRandom();
    T->Radius = 10;
    Teleports->push_back(std::move(T));
  }
}

void TWorld::CreateAliens() {
  Append(*Aliens, AliensPerKind * 4);
  for (size_t i = 0; i < Aliens->size(); ++i) (*Aliens)[i]->Kind = uint8_t(2 + i / AliensPerKind);
}

void TWorld::CreateRockets() {
  for (int32_t i = 0; i < RocketCount; ++i) {
    auto R = std::make_unique<TBlob>();
    R->State = 0;
    R->Kind = 6;
    Rockets->push_back(std::move(R));
  }
}

void TWorld::CreateFragments() { Append(*Fragments, FragmentCount); }

void TWorld::CreateFloorTiles() {
  for (int32_t i = 0; i < FloorTileCount; ++i) FloorTiles->push_back(NewObjectAtRandom());
}

// --- launches

void TWorld::FirePlayerShot() {
  TBlob* S = TBlob::FirstInactive(*PlayerShots);
  if (!S || !Player) return;  // every shot in flight: nothing, not even a sound
  S->Radius = Radii.StarBullet;
  S->Position = Player->Position;
  S->Position.y = -20;
  S->Rotation = Player->Rotation;
  S->Velocity = Player->Velocity;
  S->Speed = 18;
  S->SetActive(true);
  S->Bob = 0;
  S->SetBobSpeed(1.75f);
  S->BobMax = 36;
  Sound().RestartSound(WaveMeShoot);
}

bool TWorld::LaunchAlienBullet(TBlob& Alien) {
  TBlob* B = TBlob::FirstInactive(*AlienShots);
  if (!B) return false;
  B->State = 0;
  B->Radius = Radii.AlienBullet;
  B->Position = Alien.Position;
  B->Rotation = Alien.Rotation;
  B->Velocity = Alien.Velocity;
  B->Speed = 12;
  B->Lifetime = 1200;
  B->SetActive(true);
  return true;
}

// --- entry into play (State 0 of aliens and rockets)

void TWorld::EnterAlien(TBlob& A) {
  const int32_t Group = int32_t(A.Kind) - 2;
  if (Group < 0 || Group > 3) return;  // not one of the four alien kinds: never enters
  const TLevelRow& Row = LevelTable[Level];
  const int32_t InPlay = TBlob::CountKind(*Aliens, A.Kind);
  if (InPlay >= GroupMax(Row, Group) || Released[Group] >= GroupTotal(Row, Group)) return;
  Released[Group] += 1;
  RandomTeleportPosition(A.Position);
  A.Radius = Radii.Aliens[Group];
  A.SetActive(true);
  A.Target.x = float(RandomRange(-ArenaHalf, ArenaHalf));
  A.Target.y = 0;
  A.Target.z = float(RandomRange(-ArenaHalf, ArenaHalf));
  A.DeathTimer = 250;
  A.Exploded = 0;
  A.Speed = float((RandomFloat() * 3 + 3 + 1) * 2);
  A.Rotation.y = float(A.HeadingToward(A.Target.x, A.Target.z));
  // A lambda holding only `this` fits std::function's own storage: no allocation.
  A.OnArrive = [this](TBlob& Arrived) { ChooseNewTarget(Arrived); };
  A.State = 1;
  A.SetBobSpeed(0.3f);
  A.BobMax = 24;
}

void TWorld::PlaceBeyondEdge(TBlob& R) {
  R.Position.x = float(RandomRange(-ArenaHalf, ArenaHalf));
  R.Position.z = float(RandomRange(-ArenaHalf, ArenaHalf));
  R.Position.y = 0;
  // Shifted out of the arena along X, away from the player.
  const float P = Player ? Player->Position.x : 0.0f;
  if (R.Position.x < 0)
    R.Position.x = R.Position.x - P + 5200;
  else
    R.Position.x = R.Position.x + P + 5200;
}

void TWorld::EnterRocket(TBlob& R) {
  if (R.Timer > 0) {
    R.Timer -= 1;
    return;
  }
  const TLevelRow& Row = LevelTable[Level];
  const int32_t InPlay = TBlob::CountKind(*Rockets, 6);
  if (InPlay >= GroupMax(Row, 4) || Released[4] >= GroupTotal(Row, 4)) return;
  Released[4] += 1;
  PlaceBeyondEdge(R);
  R.Radius = Radii.Rocket;
  R.SetActive(true);
  R.DeathTimer = 250;
  R.Exploded = 0;
  R.Speed = float(RandomFloat() * 3 + 6);
  if (Player) {
    R.Target = Player->Position;
    R.Rotation.y = float(R.HeadingToward(Player->Position.x, Player->Position.z));
  }
  // No hum over the game over, nor into the title that follows it.
  if (GameOverTimer == 0) Sound().Play(WaveRocketHum);
  R.State = 1;
}
