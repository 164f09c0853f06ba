// How many of each object the game makes: the lists are filled once at start
// and never grow, so these are also the most copies of a model one frame draws.
#pragma once
#include <cstdint>

constexpr int32_t PlayerShotCount = 15;
constexpr int32_t AlienShotCount = 5;
constexpr int32_t ObstacleCount = 25;
constexpr int32_t TeleportCount = 8;
constexpr int32_t AliensPerKind = 5;
constexpr int32_t RocketCount = 5;
constexpr int32_t FragmentCount = 100;
constexpr int32_t FloorTileCount = 100;
