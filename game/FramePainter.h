// Where a picture of a frame is taken. The world calls these at fixed points
// of its step with a const view of itself, so a picture sees the world
// exactly as the frame's drawing needs it and can never change it.
#pragma once
#include "WorldState.h"

class IFramePainter {
 public:
  virtual ~IFramePainter() = default;
  // A title frame: the logo has turned.
  virtual void TitleShown(const TWorldState& World) = 0;
  // A play frame begins: Wireframe is the level's as the frame starts.
  virtual void PlayBegins(const TWorldState& World) = 0;
  // The player, shots, bullets, aliens and rockets have moved (not during a
  // game over); Hit: the player was hit in this move.
  virtual void WorldMoved(const TWorldState& World, bool Hit) = 0;
  // Every step of the frame is done but the radar's sweep, which the ring shows before it moves.
  virtual void WorldStepped(const TWorldState& World) = 0;
};
