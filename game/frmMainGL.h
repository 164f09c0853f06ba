// TFormMain: the game. It owns every piece of game state and draws one frame
// per FormPaint. Its methods live in files by concern beside this one:
//   frmMainGL.cpp   frame driver, lights, colour schemes
//   Startup.cpp     FormCreate, StartUp, NewGame, ClearWorld, level advance, FormDestroy
//   Spawning.cpp    random numbers, level table, creation routines, launches, entry
//   Behaviour.cpp   UpdateWorld, aliens, rockets, fragments (no GL)
//   Collisions.cpp  contact tests, explosions, fragments thrown (no GL)
//   Scene.cpp       light colours, backdrop, the world's picture
//   Overlay.cpp     digit font, cross-hair, radar, numbers
//   Controls.cpp    PollInput, HandleKey, mouse
//   SoundCues.cpp   hit handlers
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "MerivexLib3D.h"
#include "ScreenCopy.h"
#include "Services.h"
#include "blob.h"

// Mouse buttons held during a mouse-move event.
enum TShiftState : uint32_t { ssLeft = 1, ssRight = 2 };

// One row of the level table: (total, max) for Alien1, Alien2, EvilEye, Alien3,
// Rockets, then the colour scheme.
using TLevelRow = std::array<int32_t, 11>;
extern const std::array<TLevelRow, 10> LevelTable;

class TFormMain {
 public:
  // Runs FormCreate. The services must outlive the form.
  explicit TFormMain(const TServices& Services);
  ~TFormMain();
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  // --- frame driver (frmMainGL.cpp)
  // One frame: the world's steps and the picture, interleaved as the picture needs them.
  void FormPaint();
  // The same steps without the picture: a machine that falls behind catches up this way.
  void FormStep();
  // The picture of the world as it stands, without a step (a paused window that was resized).
  void FormRedraw();
  void ResetLights();
  // Lighting and light 0 on, with the four light fields.
  void SwitchOnLight();
  // The scheme's wireframe flag, and with Draw its backdrop and light colours.
  void ApplyColourScheme(bool Draw = true);
  void HitFlash();
  // With ReduceFlashing: red fading in from the view's edges while HitTintFrames runs.
  void DrawHitTint();
  // Whether this game-over frame shows the red flash.
  bool GameOverFlashes() const;
  // The steps that go with the title and overlay pictures, called by the
  // frame driver; none of them draws.
  void StepTitleCount();
  void StepLogoSpin();
  void StepRadarSweep();
  void KeepHighScore();

  // --- life cycle (Startup.cpp)
  void FormCreate();
  void StartUp();
  void NewGame();
  void ClearWorld();
  void CheckLevelAdvance();
  void FormDestroy();

  // --- random numbers, creation and launches (Spawning.cpp)
  uint32_t RandomInt(uint32_t N);
  double RandomFloat();
  int32_t RandomRange(int32_t Lo, int32_t Hi);
  void RandomPrimaryColour(TVec3& Col);
  void RandomTeleportPosition(TVec3& P);
  std::unique_ptr<TBlob> NewObjectAtRandom();
  void CreatePlayerShots();
  void CreateAlienShots();
  void CreateObstacles();
  void CreateTeleports();
  void CreateAliens();
  void CreateRockets();
  void CreateFragments();
  void CreateFloorTiles();
  void FirePlayerShot();
  bool LaunchAlienBullet(TBlob& Alien);
  void EnterAlien(TBlob& A);   // UpdateAlien in State 0
  void EnterRocket(TBlob& R);  // UpdateRocket in State 0
  // A rocket's starting place: random X, Z, then X moved out past the edge, away from the player.
  void PlaceBeyondEdge(TBlob& R);

  // --- world update (Behaviour.cpp)
  void UpdateWorld();
  void UpdateAlien(TBlob& A);
  void ChooseNewTarget(TBlob& A);
  void UpdateRocket(TBlob& R);
  void UpdateFragments();

  // --- collisions (Collisions.cpp)
  void CheckPlayerObstacles(const TVec3& PositionBeforeMove);
  void UpdatePlayerShot(TBlob& Shot);
  void UpdateAlienShot(TBlob& Bullet);
  void CheckPlayerContacts();
  void ExplodeAlien(TBlob& A);
  void ExplodeRocket(TBlob& R);
  // An alien's or rocket's burst in a random primary colour, thrown once per hit.
  void ExplodeOnce(TBlob& Target);
  void Explode(TBlob& Source, const TVec3& Col);
  void ThrowFragment(TBlob& Source, const TVec3& Col);

  // --- scene (Scene.cpp)
  // The perspective projection of the view: near 1, the given far plane.
  void SetPerspective(double Far);
  void SetLightColours(const TVec3& Ambient, const TVec3& Diffuse);
  void DrawBackdrop(const TVec3& Top, const TVec3& UpperHorizon, const TVec3& LowerHorizon,
                    const TVec3& Bottom);
  // The world's second pass of a frame: the level advance and the rockets'
  // second step with Step, their pictures with Draw, in the order the picture needs.
  void WorldPass(bool Step, bool Draw);
  void DrawGroundFragmentsAndAliens();
  void DrawRocket(const TBlob& Rocket);
  void DrawShots();

  // --- overlay (Overlay.cpp)
  void DrawDigit(int Digit, float X, float Y);
  void DrawHudText(const char* Text, float X, float Y);
  // The digits alone, in the current colour.
  void DrawHudDigits(const char* Text, float X, float Y);
  void DrawOverlay();
  // The overlay's viewport: the largest centred 4:3 rectangle of the view.
  // Width and Height receive its size in pixels.
  void SetOverlayViewport(int& Width, int& Height);

  // --- controls (Controls.cpp)
  void PollInput();
  void HandleKey(uint16_t Key);
  void FormMouseMove(uint32_t Shift, int X, int Y);
  void FormClick();

  // --- sound cues (SoundCues.cpp)
  void PlayBumpSound(TBlob& Sender);
  void PlayShotObstacleSound(TBlob& Sender);
  void PlayAlienHitSound(TBlob& Sender);
  void PlayRocketHitSound(TBlob& Sender);

  int32_t Hits() const { return HitsByAlien + HitsByRocket + HitsByAlienShot; }

  // --- the form as a window-system form: view size and caption
  int32_t ViewWidth = 1024;
  int32_t ViewHeight = 768;
  std::string Caption;
  // Drawing only, never read by the world: no full-screen red frames; a hit
  // tints the view's edges for HitTintFrames frames, and the game over holds
  // a steady dark red.
  bool ReduceFlashing = false;
  int32_t HitTintFrames = 0;
  // Set when start-up failed and the program must end (the message was shown).
  bool TerminateRequested = false;
  int ExitCode = 0;

  // --- components
  TServices Services;

  // --- fields in declaration order
  TVec3 LogoSpin;
  uint8_t OnTitleScreen = 0;
  int32_t Level = 0;
  int32_t LevelKills = 0;
  int32_t Released[5] = {0, 0, 0, 0, 0};
  uint32_t LastShotTick = 0;
  float RadarAlpha = 0;
  int32_t ColourScheme = 0;
  float RadarSweep = 0;
  uint8_t FlatShading = 0;
  int32_t LastMouseX = 0, LastMouseY = 0;
  uint8_t Wireframe = 0;
  int32_t TitleFrames = 0;
  int32_t GameOverTimer = 0;
  float LightPosition[4] = {0, 0, 0, 0};
  float LightAmbient[4] = {0, 0, 0, 0};
  float LightDiffuse[4] = {0, 0, 0, 0};
  float LightSpecular[4] = {0, 0, 0, 0};
  std::unique_ptr<TMS3DObj> GameTextModel;
  std::unique_ptr<TMS3DObj> LogoModel;
  TScreenCopy TitleText;  // the title's text over black, kept while the title lasts
  std::unique_ptr<TMS3DObj> TankModel;
  std::unique_ptr<TMS3DObj> AlienModels[4];
  std::unique_ptr<TMS3DObj> AlienShadowModel;
  std::unique_ptr<TMS3DObj> ObstacleModel;
  std::unique_ptr<TMS3DObj> StarBulletModel;
  std::unique_ptr<TMS3DObj> DiamondModel;
  std::unique_ptr<TMS3DObj> DiamondShadowModel;
  std::unique_ptr<TMS3DObj> AlienBulletModel;
  std::unique_ptr<TMS3DObj> RocketModel;
  std::unique_ptr<TMS3DObj> TeleportModel;
  std::unique_ptr<TMS3DObj> FloorTileModel;
  uint8_t TouchingObstacle = 0;
  int32_t Score = 0;
  int32_t HighScore = 0;
  std::unique_ptr<TBlobList> PlayerShots;
  std::unique_ptr<TBlobList> AlienShots;
  std::unique_ptr<TBlobList> Obstacles;
  std::unique_ptr<TBlobList> Aliens;
  std::unique_ptr<TBlobList> Rockets;
  std::unique_ptr<TBlobList> Teleports;
  std::unique_ptr<TBlobList> FloorTiles;
  std::unique_ptr<TBlobList> Fragments;
  std::unique_ptr<TBlob> Player;
  int32_t HitsByAlien = 0;
  int32_t HitsByRocket = 0;
  int32_t HitsByAlienShot = 0;
  uint8_t StartupPending = 0;

  // The generator's seed: 0 when the form is made, never reseeded.
  uint32_t RandSeed = 0;

 private:
  uint32_t Ticks() { return Services.Ticks ? Services.Ticks->GetTickCount() : 0; }
  ISoundService& Sound();
  void RunFrame(bool Step, bool Draw);
  void TitleFrame(bool Step, bool Draw);
  void DrawTitle();
  void PlayFrame(bool Step, bool Draw);
};

// Model files in load order, with the field each one fills.
extern const char* const ModelFileNames[16];
// The most copies of each of them that one frame draws: the load weighs each
// model's triangles, meshes and surface by it.
extern const int32_t ModelCopiesDrawn[16];
// The most surface each may have on its own (square units), for the title's
// two models, which fill the view; 0 for the rest, held by the load's budget.
extern const double ModelSurfaceLimit[16];

// Where an object at Position shows on the heading-up radar, in overlay units
// around the centre; false when it lies beyond the ring (4160 world units).
bool RadarBlip(const TBlob& Player, const TVec3& Position, float& X, float& Y);

// The sky of colour scheme Scheme (0..10): its top and the colours above and
// below the horizon; false for a scheme that does not exist.
bool SchemeSky(int Scheme, TVec3& Top, TVec3& UpperHorizon, TVec3& LowerHorizon);

// The contrast ratio of two colours (1 to 21), from their relative luminance.
float ContrastRatio(const TVec3& A, const TVec3& B);
// Whether an overlay part of Colour needs an outline against the sky colours
// behind it (less than 3:1 against any of them), and the outline's colour:
// black or white, whichever contrasts more.
bool OverlayOutline(const TVec3& Colour, const TVec3& BehindA, const TVec3& BehindB, TVec3& Outline);

// The collision radius a model gives the objects drawn with it; 0 while the model is not loaded.
float ModelRadius(const std::unique_ptr<TMS3DObj>& Model);
