// The sixteen model files the game reads at its start-up, as one load: their
// textures are shared and their sizes weighed together against the load's
// budgets. The picture compiles them for drawing; the world takes only their
// collision radii, which need no GL.
#pragma once
#include <cstdint>
#include <memory>
#include <new>
#include <string>

#include "MerivexLib3D.h"
#include "WorldState.h"

enum TModelSlot : int {
  GameTextSlot, LogoSlot, TankSlot, Alien1Slot, Alien2Slot, EvilEyeSlot, Alien3Slot, AlienShadowSlot,
  ObstacleSlot, StarBulletSlot, DiamondSlot, DiamondShadowSlot, AlienBulletSlot, RocketSlot, TeleportSlot,
  FloorTileSlot, ModelSlotCount
};

// Model files in load order, one a slot.
extern const char* const ModelFileNames[ModelSlotCount];
// The most copies of each of them that one frame draws: the load weighs each
// model's triangles, meshes and surface by it.
extern const int32_t ModelCopiesDrawn[ModelSlotCount];
// The most surface each may have on its own (square units), for the title's
// two models, which fill the view; 0 for the rest, held by the load's budget.
extern const double ModelSurfaceLimit[ModelSlotCount];

using TModelSet = std::unique_ptr<TMS3DObj>[ModelSlotCount];

// Reads the models of Folder in order, with no GL. Returns "" or the message
// that ends the program: the first model that cannot be read, and none after
// it is read.
std::string ReadModelSet(TModelSet& Models, const std::string& Folder, IMessageSink& Messages);

// Runs one stage of loading slot Slot's model: "" or the message that ends the program.
template <typename TStage>
std::string LoadStage(int Slot, TStage Run) {
  try {
    Run();
  } catch (const ELoadError& e) {
    return LoadFailureMessage(e.FileName, e.what());
  } catch (const std::bad_alloc&) {
    return LoadFailureMessage(ModelFileNames[Slot], "Out of memory");
  } catch (const std::exception& e) {
    return LoadFailureMessage(ModelFileNames[Slot], e.what());
  }
  return "";
}

// The collision radius a model gives the objects drawn with it; 0 while the model is not loaded.
float ModelRadius(const std::unique_ptr<TMS3DObj>& Model);
// The radii the world takes from a set.
TModelRadii RadiiOf(const TModelSet& Models);
