// TWorld: the game's rules and state. Its state is its own: stepped by one
// call with the frame's input, read by everything else through View(). The
// rules live in files by concern beside this one:
//   WorldStep.cpp   the frame: input, title and play frames, the game over
//   WorldLife.cpp   NewGame, ClearWorld, StartUp, level advance
//   Spawning.cpp    random numbers, creation routines, launches, entry
//   Behaviour.cpp   UpdateWorld, aliens, rockets, fragments
//   Collisions.cpp  contact tests, explosions, fragments thrown
//   Controls.cpp    PollInput, HandleKey, mouse
//   SoundCues.cpp   hit handlers
//   Staging.cpp     what tools stage through the input stream
// No GL and no SDL: the platform comes in through the services.
#pragma once
#include <cstdint>
#include <memory>

#include "FrameInput.h"
#include "FramePainter.h"
#include "Services.h"
#include "WorldState.h"

// Mouse buttons held during a mouse-move event.
enum TShiftState : uint32_t { ssLeft = 1, ssRight = 2 };

// What the world is given when it is made. All pointers stay valid for its life; any may be null.
struct TWorldServices {
  ITickSource* Ticks = nullptr;
  ISoundService* Sound = nullptr;
  ICursorService* Cursor = nullptr;
  int ScreenWidth = 1024;
  int ScreenHeight = 768;
};

class TWorld : protected TWorldState {
 public:
  // A new game on the title screen, waiting for its start-up frame; the high
  // score starts at HighScore.
  explicit TWorld(const TWorldServices& Services, int32_t HighScore = 0);
  virtual ~TWorld();
  TWorld(const TWorld&) = delete;
  TWorld& operator=(const TWorld&) = delete;

  const TWorldState& View() const { return *this; }

  // One frame: the frame's messages, then its title or play steps (nothing
  // more while start-up is pending). Painter, when given, is shown the world
  // at the points where the frame's picture is taken.
  void Step(const TFrameInput& Input, IFramePainter* Painter = nullptr);
  // The start-up frame's rule: the models' collision radii, read once.
  void StartUp(const TModelRadii& Radii);

 protected:
  uint32_t Ticks();
  ISoundService& Sound();
  void TakeMessage(const TWorldMessage& Message);
  void TitleFrame(const TFrameInput& Input, IFramePainter* Painter);
  void PlayFrame(const TFrameInput& Input, IFramePainter* Painter);
  void EndFrame(uint32_t StartTick);

  // --- the steps that go with the title and overlay pictures
  void StepTitleCount();
  void StepLogoSpin();
  void StepRadarSweep();
  void KeepHighScore();
  // The scheme's wireframe switch, as the frame starts.
  void ApplyColourScheme();

  // --- life cycle (WorldLife.cpp)
  void FormCreate();
  void NewGame();
  void ClearWorld();
  void CheckLevelAdvance();

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

  // --- controls (Controls.cpp)
  void PollInput(TInputStates States);
  void HandleKey(uint16_t Key);
  void FormMouseMove(uint32_t Shift, int X, int Y);
  void FormClick();

  // --- sound cues (SoundCues.cpp)
  void PlayBumpSound(TBlob& Sender);
  void PlayShotObstacleSound(TBlob& Sender);
  void PlayAlienHitSound(TBlob& Sender);
  void PlayRocketHitSound(TBlob& Sender);

  // --- staging (Staging.cpp)
  void Stage(TStaging What, int32_t Value);
  void StageBusyScene();

 private:
  TWorldServices services_;
};
