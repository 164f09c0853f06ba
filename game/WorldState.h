// Everything the world holds, its fields in the game's declaration order.
// Only TWorld writes it; the picture, the host, the shells, the trace and the
// tools read it through TWorld::View(), a const reference.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "blob.h"

// One row of the level table: (total, max) for Alien1, Alien2, EvilEye, Alien3,
// Rockets, then the colour scheme.
using TLevelRow = std::array<int32_t, 11>;
extern const std::array<TLevelRow, 10> LevelTable;
// Of the eleven colour schemes, the last is drawn in outlines.
constexpr int32_t WireframeScheme = 10;

// The collision radii the models give the objects drawn with them, taken once
// when the models are read: the world needs no drawing to step.
struct TModelRadii {
  float Aliens[4] = {0, 0, 0, 0};
  float Obstacle = 0;
  float StarBullet = 0;
  float AlienBullet = 0;
  float Rocket = 0;
};

struct TWorldState {
  int32_t Hits() const { return HitsByAlien + HitsByRocket + HitsByAlienShot; }

  TVec3 LogoSpin;
  uint8_t OnTitleScreen = 0;
  int32_t Level = 0;
  int32_t LevelKills = 0;
  int32_t Released[5] = {0, 0, 0, 0, 0};
  uint32_t LastShotTick = 0;
  float RadarAlpha = 0;
  int32_t ColourScheme = 0;
  float RadarSweep = 0;
  uint8_t FlatShading = 0;
  int32_t LastMouseX = 0, LastMouseY = 0;
  // The level's wireframe switch as the current frame started (the title's is off).
  uint8_t Wireframe = 0;
  int32_t TitleFrames = 0;
  int32_t GameOverTimer = 0;
  uint8_t TouchingObstacle = 0;
  // An alien overlapped the player in the last world update: a contact costs one hit, not one a frame.
  uint8_t TouchingAlien = 0;
  int32_t Score = 0;
  int32_t HighScore = 0;
  TOwned<TBlobList> PlayerShots;
  TOwned<TBlobList> AlienShots;
  TOwned<TBlobList> Obstacles;
  TOwned<TBlobList> Aliens;
  TOwned<TBlobList> Rockets;
  TOwned<TBlobList> Teleports;
  TOwned<TBlobList> FloorTiles;
  TOwned<TBlobList> Fragments;
  TOwned<TBlob> Player;
  int32_t HitsByAlien = 0;
  int32_t HitsByRocket = 0;
  int32_t HitsByAlienShot = 0;
  uint8_t StartupPending = 0;

  // The generator's seed: 0 when the world is made, never reseeded.
  uint32_t RandSeed = 0;
  // The window's caption as the last frame that took a tick wrote it.
  std::string Caption;
  // The view's size as the world knows it: the mouse wraps at its edges.
  int32_t ScreenWidth = 1024;
  int32_t ScreenHeight = 768;
  // From the models at start-up; every radius is 0 before it.
  TModelRadii Radii;
};
