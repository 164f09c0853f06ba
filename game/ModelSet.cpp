#include "ModelSet.h"

#include "ModelLoad.h"
#include "ObjectCounts.h"

const char* const ModelFileNames[ModelSlotCount] = {
    "GameText.txt",     "logo.txt",         "GreenTank.txt",    "Alien1.txt",
    "Alien2.txt",       "EvilEye.txt",      "Alien3.txt",       "Alien1Shadow.txt",
    "Obstacle.txt",     "StarBullet.txt",   "WhiteDiamond.txt", "RedDiamondShadow.txt",
    "AlienBullet.txt",  "Rocket.txt",       "Teleport.txt",     "FloorTile.txt",
};

// The title's two models and the player's tank are drawn at most once.
const int32_t ModelCopiesDrawn[ModelSlotCount] = {
    1,              1,               1,             AliensPerKind,
    AliensPerKind,  AliensPerKind,   AliensPerKind, AliensPerKind * 4,
    ObstacleCount,  PlayerShotCount, FragmentCount, FragmentCount,
    AlienShotCount, RocketCount,     TeleportCount, FloorTileCount,
};

// The title's text and logo are drawn across the view: with the whole load's
// surface in one of them, every pixel would be covered a thousand times. Each
// may have about nine times the stock text's surface (7,371 square units).
constexpr double TitleModelSurface = 65536;
const double ModelSurfaceLimit[ModelSlotCount] = {TitleModelSurface, TitleModelSurface};

std::string ReadModelSet(TModelSet& Models, const std::string& Folder, IMessageSink& Messages) {
  TModelLoad load;
  for (int i = 0; i < ModelSlotCount; ++i) {
    Models[i] = std::make_unique<TMS3DObj>();
    load.Copies = ModelCopiesDrawn[i];
    load.SurfaceLimit = ModelSurfaceLimit[i];
    const std::string failure =
        LoadStage(i, [&] { Models[i]->ReadFromFile(ModelFileNames[i], Folder, Messages, &load); });
    if (!failure.empty()) return failure;
  }
  return "";
}

float ModelRadius(const std::unique_ptr<TMS3DObj>& Model) { return Model ? Model->MaxRadius : 0.0f; }

TModelRadii RadiiOf(const TModelSet& Models) {
  TModelRadii R;
  for (int Kind = 0; Kind < 4; ++Kind) R.Aliens[Kind] = ModelRadius(Models[Alien1Slot + Kind]);
  R.Obstacle = ModelRadius(Models[ObstacleSlot]);
  R.StarBullet = ModelRadius(Models[StarBulletSlot]);
  R.AlienBullet = ModelRadius(Models[AlienBulletSlot]);
  R.Rocket = ModelRadius(Models[RocketSlot]);
  return R;
}
