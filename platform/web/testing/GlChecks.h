// Shared by the checks of our GL subset in the page.
#pragma once
#include <cstdint>
#include <string>

// The canvas's pixel at (X, Y), counted from the bottom left: 0xRRGGBB.
uint32_t PixelAt(int X, int Y);

// The calls the pause screen makes, on a Size x Size canvas: "" when they
// draw and restore as GL does, else what failed.
std::string PauseScreenChecks(int Size);

// The state the subset keeps for itself against WebGL's own, on a Size x
// Size canvas: "" when they agree through pushes, pops and texture deletions.
std::string AttributeChecks(int Size);
