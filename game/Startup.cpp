#include "frmMainGL.h"

#include <GL/gl.h>

#include <cstdio>
#include <new>

#include "DrawChunks.h"
#include "ModelLoad.h"
#include "ObjectCounts.h"

const char* const ModelFileNames[16] = {
    "GameText.txt",     "logo.txt",         "GreenTank.txt",    "Alien1.txt",
    "Alien2.txt",       "EvilEye.txt",      "Alien3.txt",       "Alien1Shadow.txt",
    "Obstacle.txt",     "StarBullet.txt",   "WhiteDiamond.txt", "RedDiamondShadow.txt",
    "AlienBullet.txt",  "Rocket.txt",       "Teleport.txt",     "FloorTile.txt",
};

// The title's two models and the player's tank are drawn at most once.
const int32_t ModelCopiesDrawn[16] = {
    1,              1,               1,             AliensPerKind,
    AliensPerKind,  AliensPerKind,   AliensPerKind, AliensPerKind * 4,
    ObstacleCount,  PlayerShotCount, FragmentCount, FragmentCount,
    AlienShotCount, RocketCount,     TeleportCount, FloorTileCount,
};

// The title's text and logo are drawn across the view: with the whole load's
// surface in one of them, every pixel would be covered a thousand times. Each
// may have about nine times the stock text's surface (7,371 square units).
constexpr double TitleModelSurface = 65536;
const double ModelSurfaceLimit[16] = {TitleModelSurface, TitleModelSurface};

namespace {

// Where a message goes when the form was given no message service.
class TStderrMessages : public IMessageService {
 public:
  void ShowMessage(const std::string& Text) override { std::fprintf(stderr, "%s\n", Text.c_str()); }
};

IMessageService& MessagesOf(const TServices& Services) {
  static TStderrMessages fallback;
  return Services.Messages ? *Services.Messages : fallback;
}

// The model library's own messages go to the form's message service.
class TModelMessages : public IMessageSink {
 public:
  explicit TModelMessages(IMessageService& Messages) : messages_(Messages) {}
  void ShowMessage(const std::string& Text) override { messages_.ShowMessage(Text); }

 private:
  IMessageService& messages_;
};

void FillList(std::unique_ptr<TBlobList>& List) { List = std::make_unique<TBlobList>(); }

}  // namespace

void TFormMain::FormCreate() {
  HighScore = 0;
  NewGame();
  StartupPending = 1;
}

void TFormMain::StartUp() {
  StartupPending = 0;
  ResetLights();
  SwitchOnLight();
  glMaterialf(GL_FRONT, GL_SHININESS, 64);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glViewport(0, 0, ViewWidth, ViewHeight);

  IMessageService& messages = MessagesOf(Services);
  TModelMessages modelMessages(messages);
  if (!CheckGLError(modelMessages)) {
    TerminateRequested = true;
    ExitCode = 1;
    return;
  }
  glClearColor(0.5f, 0.5f, 0.5f, 1);
  SetDrawChunk(DrawChunkFor(reinterpret_cast<const char*>(glGetString(GL_RENDERER))));

  std::unique_ptr<TMS3DObj>* const fields[16] = {
      &GameTextModel,  &LogoModel,        &TankModel,          &AlienModels[0],
      &AlienModels[1], &AlienModels[2],   &AlienModels[3],     &AlienShadowModel,
      &ObstacleModel,  &StarBulletModel,  &DiamondModel,       &DiamondShadowModel,
      &AlienBulletModel, &RocketModel,    &TeleportModel,      &FloorTileModel,
  };
  // The sixteen models are one load: their textures are shared and their
  // sizes weighed together against the load's budgets.
  TModelLoad load;
  for (int i = 0; i < 16; ++i) {
    *fields[i] = std::make_unique<TMS3DObj>();
    load.Copies = ModelCopiesDrawn[i];
    load.SurfaceLimit = ModelSurfaceLimit[i];
    std::string failure;
    try {
      (*fields[i])->LoadFromFile(ModelFileNames[i], Services.ProgramFolder, modelMessages, &load);
    } catch (const ELoadError& e) {
      failure = LoadFailureMessage(e.FileName, e.what());
    } catch (const std::bad_alloc&) {
      failure = LoadFailureMessage(ModelFileNames[i], "Out of memory");
    } catch (const std::exception& e) {
      failure = LoadFailureMessage(ModelFileNames[i], e.what());
    }
    // A model that cannot be read ends the program; the models after it are not loaded.
    if (!failure.empty()) {
      messages.ShowMessage(failure);
      TerminateRequested = true;
      ExitCode = 1;
      return;
    }
  }
  // Obstacles made before the models existed take the obstacle model's radius now.
  const float obstacleRadius = ModelRadius(ObstacleModel);
  for (auto& obstacle : *Obstacles) obstacle->Radius = obstacleRadius;
}

void TFormMain::NewGame() {
  TitleFrames = 0;
  GameOverTimer = 0;
  FillList(PlayerShots);
  FillList(AlienShots);
  FillList(Obstacles);
  FillList(Aliens);
  FillList(Rockets);
  FillList(Teleports);
  FillList(Fragments);
  FillList(FloorTiles);
  ZeroVector(LogoSpin);
  OnTitleScreen = 1;
  Level = 0;
  LevelKills = 0;
  for (int32_t& released : Released) released = 0;
  LastShotTick = Ticks();
  RadarAlpha = 0.7f;
  ColourScheme = 0;
  Score = 0;
  RadarSweep = 0;
  if (Services.Cursor) Services.Cursor->ShowCursor(false);
  Wireframe = 0;
  HitsByAlien = 0;
  HitsByRocket = 0;
  HitsByAlienShot = 0;
  FlatShading = 1;
  // The form's placement (borderless, covering the screen) is the shell's window.
  TouchingObstacle = 0;

  Player = std::make_unique<TBlob>();
  Player->Speed = 0;
  Player->Radius = 16;
  Player->Target = MakeVector(0, 0, -1);
  Player->MoveToTarget();
  Player->Position.y = 0;
  Player->Position.z = 0;

  CreatePlayerShots();
  CreateAlienShots();
  CreateObstacles();
  CreateTeleports();
  CreateAliens();
  CreateRockets();
  CreateFragments();
  CreateFloorTiles();

  CheckLevelAdvance();
  ColourScheme = LevelTable[Level][10];
}

void TFormMain::ClearWorld() {
  for (auto* list : {&PlayerShots, &AlienShots, &Obstacles, &Aliens, &Rockets, &Teleports, &Fragments,
                     &FloorTiles})
    list->reset();
  Player.reset();
}

void TFormMain::CheckLevelAdvance() {
  const TLevelRow& row = LevelTable[Level];
  const int32_t quota = row[0] + row[2] + row[4] + row[6] + row[8];
  if (LevelKills < quota) return;
  Level += 1;
  if (Level > 9) Level = 0;
  ColourScheme = LevelTable[Level][10];
  LevelKills = 0;
  for (int32_t& released : Released) released = 0;
}

void TFormMain::FormDestroy() {
  for (auto* model : {&GameTextModel, &LogoModel, &TankModel, &AlienModels[0], &AlienModels[1],
                      &AlienModels[2], &AlienModels[3], &AlienShadowModel, &ObstacleModel,
                      &StarBulletModel, &DiamondModel, &DiamondShadowModel, &AlienBulletModel,
                      &RocketModel, &TeleportModel, &FloorTileModel})
    model->reset();
  TitleText.Release();
  ClearWorld();
  // The shell releases its own rendering context after this.
}
