// What the server checks in a game before it is queued, and the verdict of
// its replay. The replay itself is the game's own check (host/DemoCheck).
#pragma once
#include <cstdint>
#include <string>

#include "Storage.h"
#include "World.h"

// The most frames a game may run: two hours.
constexpr long MaxDemoFrames = 432000;

// Why Name is no player name (1 to 16 letters, digits, spaces and -_., not
// beginning or ending with a space); empty when it is one.
std::string NameFault(const std::string& Name);

// Why Demo cannot be a demo before it is replayed (empty, or bytes no text
// has); empty when it may be one.
std::string DemoTextFault(const std::string& Demo);

// The demo's hash (SHA-256, hex), the same whatever its line ends.
std::string DemoHash(const std::string& Demo);

// Replays the game and decides: refused when the replay refuses it, runs
// over MaxDemoFrames, or reaches another score than the
// client claimed (Claimed < 0: none claimed).
TVerdict JudgeDemo(const TQueuedGame& Game, const TModelRadii& Radii);
