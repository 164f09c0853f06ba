// The rules a game must keep in every frame, however it is played: the player
// stays inside the arena, hits and lives stay in range, no quantity is NaN or
// infinite, the score never falls within a game, and every object list keeps
// the size a new game gave it (nothing is made or freed during play).
#pragma once
#include <cstdint>
#include <string>

struct TWorldState;

class TSoakChecker {
 public:
  // Call after each FormPaint. Returns the first broken rule, or "" when the
  // frame keeps them all.
  std::string Check(const TWorldState& World);
  // Games started (title screen left for play) since the checker was made.
  long Games() const { return games_; }
  // The highest level row reached in any game.
  int32_t TopLevel() const { return topLevel_; }

 private:
  int32_t lastScore_ = 0;
  int32_t lastGameOver_ = 0;
  bool lastTitle_ = true;
  long games_ = 0;
  int32_t topLevel_ = 0;
};
