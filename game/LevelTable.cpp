#include "World.h"

// Per row: (total, max) releases for Alien1, Alien2, EvilEye, Alien3 and Rockets,
// then the level's colour scheme.
const std::array<TLevelRow, 10> LevelTable = {{
    {3, 2, 2, 1, 0, 0, 0, 0, 1, 1, 0},
    {3, 3, 3, 2, 0, 0, 0, 0, 0, 0, 2},
    {3, 3, 3, 3, 0, 0, 0, 0, 1, 1, 3},
    {2, 2, 3, 3, 2, 2, 0, 0, 3, 1, 4},
    {0, 0, 0, 0, 0, 0, 0, 0, 10, 2, 5},
    {3, 3, 3, 3, 6, 2, 1, 1, 1, 2, 6},
    {4, 2, 4, 2, 4, 2, 2, 2, 4, 2, 7},
    {3, 2, 3, 2, 3, 2, 5, 1, 5, 1, 8},
    {3, 2, 2, 2, 2, 2, 5, 2, 10, 2, 9},
    {5, 2, 5, 2, 5, 2, 5, 2, 20, 3, 10},
}};
