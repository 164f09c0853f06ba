#include "RumbleWatch.h"

#include "WorldState.h"

bool TRumbleWatch::AfterFrame(const TWorldState& World, TRumble& Rumble) {
  const int32_t Hits = World.Hits();
  const bool Over = World.GameOverTimer > 0;
  // A new game starts the count again; the hit that ends a game rumbles as the game over.
  const bool Hit = Hits > hits_;
  const bool Ended = Over && !over_;
  hits_ = Hits;
  over_ = Over;
  if (Ended) Rumble = GameOverRumble;
  else if (Hit) Rumble = HitRumble;
  return Ended || Hit;
}
