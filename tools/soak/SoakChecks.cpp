#include "SoakChecks.h"

#include <cmath>
#include <cstdio>

#include "WorldState.h"

namespace {

constexpr float ArenaHalf = 2600;

struct TListRule {
  const char* Name;
  TOwned<TBlobList> TWorldState::*List;
  size_t Size;
};
const TListRule ListRules[] = {
    {"PlayerShots", &TWorldState::PlayerShots, 15}, {"AlienShots", &TWorldState::AlienShots, 5},
    {"Obstacles", &TWorldState::Obstacles, 25},     {"Aliens", &TWorldState::Aliens, 20},
    {"Rockets", &TWorldState::Rockets, 5},          {"Teleports", &TWorldState::Teleports, 8},
    {"FloorTiles", &TWorldState::FloorTiles, 100},  {"Fragments", &TWorldState::Fragments, 100},
};

bool Finite(const TVec3& V) { return std::isfinite(V.x) && std::isfinite(V.y) && std::isfinite(V.z); }

bool Finite(const TBlob& B) {
  return Finite(B.Position) && Finite(B.Rotation) && Finite(B.Velocity) && Finite(B.Target) && Finite(B.Colour) &&
         std::isfinite(B.Speed) && std::isfinite(B.Roll) && std::isfinite(B.Radius) && std::isfinite(B.Bob) &&
         std::isfinite(B.BobStep) && std::isfinite(B.BobMax) && std::isfinite(B.BobMin) && std::isfinite(B.AuxA) &&
         std::isfinite(B.AuxB) && std::isfinite(B.AuxC);
}

std::string Format(const char* Pattern, double A = 0, double B = 0) {
  char Text[160];
  std::snprintf(Text, sizeof Text, Pattern, A, B);
  return Text;
}

}  // namespace

std::string TSoakChecker::Check(const TWorldState& F) {
  if (!F.Player) return "the player is missing";
  for (const TListRule& R : ListRules) {
    const TBlobList* List = (F.*R.List).get();
    if (!List || List->size() != R.Size)
      return std::string(R.Name) + " holds " + std::to_string(List ? List->size() : 0) + " objects, not " +
             std::to_string(R.Size);
    for (size_t i = 0; i < List->size(); ++i)
      if (!(*List)[i] || !Finite(*(*List)[i]))
        return std::string(R.Name) + "[" + std::to_string(i) + "] is missing or holds a value that is not a number";
  }
  const TBlob& P = *F.Player;
  if (!Finite(P)) return "the player holds a value that is not a number";
  if (std::fabs(P.Position.x) > ArenaHalf || std::fabs(P.Position.z) > ArenaHalf)
    return Format("the player is outside the arena at x %.2f, z %.2f", P.Position.x, P.Position.z);
  if (!Finite(F.LogoSpin) || !std::isfinite(F.RadarSweep) || !std::isfinite(F.RadarAlpha))
    return "the form holds a value that is not a number";

  // At most two hits stand before a frame, and one frame adds at most one of each kind.
  if (F.HitsByAlien < 0 || F.HitsByRocket < 0 || F.HitsByAlienShot < 0 || F.Hits() > 5)
    return Format("hits %.0f are outside 0..5 (lives 0..3)", F.Hits());
  if (F.Level < 0 || F.Level > 9) return Format("level %.0f is outside 0..9", F.Level);

  // The score falls only when a game over hands back to the title with a new game.
  const bool NewGame = lastGameOver_ == 1 && F.GameOverTimer == 0 && F.Score == 0;
  if (F.Score < lastScore_ && !NewGame) return Format("the score fell from %.0f to %.0f", lastScore_, F.Score);
  lastScore_ = F.Score;
  lastGameOver_ = F.GameOverTimer;

  if (lastTitle_ && !F.OnTitleScreen) ++games_;
  lastTitle_ = F.OnTitleScreen != 0;
  if (F.Level > topLevel_) topLevel_ = F.Level;
  return "";
}
