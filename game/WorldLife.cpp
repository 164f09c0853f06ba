// The world's life cycle: made on the title screen, started up with the
// models' radii, a new game after every game over, the level advance.
#include "World.h"

namespace {

void FillList(TOwned<TBlobList>& List) { List = std::make_unique<TBlobList>(); }

}  // namespace

void TWorld::FormCreate() {
  HighScore = 0;
  NewGame();
  StartupPending = 1;
}

void TWorld::StartUp(const TModelRadii& ModelRadii) {
  StartupPending = 0;
  Radii = ModelRadii;
  // Obstacles made before the models were read take the obstacle model's radius now.
  for (auto& obstacle : *Obstacles) obstacle->Radius = Radii.Obstacle;
}

void TWorld::NewGame() {
  TitleFrames = 0;
  GameOverTimer = 0;
  FillList(PlayerShots);
  FillList(AlienShots);
  FillList(Obstacles);
  FillList(Aliens);
  FillList(Rockets);
  FillList(Teleports);
  FillList(Fragments);
  FillList(FloorTiles);
  ZeroVector(LogoSpin);
  OnTitleScreen = 1;
  Level = 0;
  LevelKills = 0;
  for (int32_t& released : Released) released = 0;
  LastShotTick = Ticks();
  RadarAlpha = 0.7f;
  ColourScheme = 0;
  Score = 0;
  RadarSweep = 0;
  if (services_.Cursor) services_.Cursor->ShowCursor(false);
  Wireframe = 0;
  HitsByAlien = 0;
  HitsByRocket = 0;
  HitsByAlienShot = 0;
  FlatShading = 1;
  // The form's placement (borderless, covering the screen) is the shell's window.
  TouchingObstacle = 0;
  TouchingAlien = 0;

  Player = std::make_unique<TBlob>();
  Player->Speed = 0;
  Player->Radius = 16;
  Player->Target = MakeVector(0, 0, -1);
  Player->MoveToTarget();
  Player->Position.y = 0;
  Player->Position.z = 0;

  CreatePlayerShots();
  CreateAlienShots();
  CreateObstacles();
  CreateTeleports();
  CreateAliens();
  CreateRockets();
  CreateFragments();
  CreateFloorTiles();

  CheckLevelAdvance();
  ColourScheme = LevelTable[Level][10];
}

void TWorld::ClearWorld() {
  for (auto* list : {&PlayerShots, &AlienShots, &Obstacles, &Aliens, &Rockets, &Teleports, &Fragments,
                     &FloorTiles})
    list->reset();
  Player.reset();
}

void TWorld::CheckLevelAdvance() {
  const TLevelRow& row = LevelTable[Level];
  const int32_t quota = row[0] + row[2] + row[4] + row[6] + row[8];
  if (LevelKills < quota) return;
  Level += 1;
  if (Level > 9) Level = 0;
  ColourScheme = LevelTable[Level][10];
  LevelKills = 0;
  for (int32_t& released : Released) released = 0;
}
