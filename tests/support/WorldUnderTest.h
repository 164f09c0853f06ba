// The world with its state and rules open, for the rules' own tests: they
// set up a state, call one rule and look at what it did. Everything else
// reads the world through TWorld::View() and steps it with TWorld::Step.
#pragma once
#include "FakeServices.h"
#include "World.h"

class TWorldUnderTest : public TWorld {
 public:
  // The world on the given fakes; PollInput() reads Input's states.
  TWorldUnderTest(const TWorldServices& Services, TFakeInput& Input) : TWorld(Services), input_(Input) {}

  // The frame's poll with the fake input's states, counted as a real poll would be.
  void PollInput() {
    input_.Update();
    TWorld::PollInput(input_.States());
  }
  using TWorld::PollInput;
  TWorldState& State() { return *this; }

  using TWorldState::Hits;
  using TWorldState::LogoSpin;
  using TWorldState::OnTitleScreen;
  using TWorldState::Level;
  using TWorldState::LevelKills;
  using TWorldState::Released;
  using TWorldState::LastShotTick;
  using TWorldState::RadarAlpha;
  using TWorldState::ColourScheme;
  using TWorldState::RadarSweep;
  using TWorldState::FlatShading;
  using TWorldState::LastMouseX;
  using TWorldState::Wireframe;
  using TWorldState::TitleFrames;
  using TWorldState::GameOverTimer;
  using TWorldState::TouchingObstacle;
  using TWorldState::TouchingAlien;
  using TWorldState::Score;
  using TWorldState::HighScore;
  using TWorldState::PlayerShots;
  using TWorldState::AlienShots;
  using TWorldState::Obstacles;
  using TWorldState::Aliens;
  using TWorldState::Rockets;
  using TWorldState::Teleports;
  using TWorldState::FloorTiles;
  using TWorldState::Fragments;
  using TWorldState::Player;
  using TWorldState::HitsByAlien;
  using TWorldState::HitsByRocket;
  using TWorldState::HitsByAlienShot;
  using TWorldState::StartupPending;
  using TWorldState::RandSeed;
  using TWorldState::Caption;
  using TWorldState::ScreenWidth;
  using TWorldState::ScreenHeight;
  using TWorldState::Radii;
  using TWorldState::LastMouseY;

  using TWorld::Ticks;
  using TWorld::Sound;
  using TWorld::TakeMessage;
  using TWorld::TitleFrame;
  using TWorld::PlayFrame;
  using TWorld::EndFrame;
  using TWorld::StepTitleCount;
  using TWorld::StepLogoSpin;
  using TWorld::StepRadarSweep;
  using TWorld::KeepHighScore;
  using TWorld::ApplyColourScheme;
  using TWorld::FormCreate;
  using TWorld::NewGame;
  using TWorld::ClearWorld;
  using TWorld::CheckLevelAdvance;
  using TWorld::RandomInt;
  using TWorld::RandomFloat;
  using TWorld::RandomRange;
  using TWorld::RandomPrimaryColour;
  using TWorld::RandomTeleportPosition;
  using TWorld::NewObjectAtRandom;
  using TWorld::CreatePlayerShots;
  using TWorld::CreateAlienShots;
  using TWorld::CreateObstacles;
  using TWorld::CreateTeleports;
  using TWorld::CreateAliens;
  using TWorld::CreateRockets;
  using TWorld::CreateFragments;
  using TWorld::CreateFloorTiles;
  using TWorld::FirePlayerShot;
  using TWorld::LaunchAlienBullet;
  using TWorld::EnterAlien;
  using TWorld::EnterRocket;
  using TWorld::PlaceBeyondEdge;
  using TWorld::UpdateWorld;
  using TWorld::UpdateAlien;
  using TWorld::ChooseNewTarget;
  using TWorld::UpdateRocket;
  using TWorld::UpdateFragments;
  using TWorld::CheckPlayerObstacles;
  using TWorld::UpdatePlayerShot;
  using TWorld::UpdateAlienShot;
  using TWorld::CheckPlayerContacts;
  using TWorld::ExplodeAlien;
  using TWorld::ExplodeRocket;
  using TWorld::ExplodeOnce;
  using TWorld::Explode;
  using TWorld::ThrowFragment;
  using TWorld::HandleKey;
  using TWorld::FormMouseMove;
  using TWorld::FormClick;
  using TWorld::PlayBumpSound;
  using TWorld::PlayShotObstacleSound;
  using TWorld::PlayAlienHitSound;
  using TWorld::PlayRocketHitSound;
  using TWorld::Stage;
  using TWorld::StageBusyScene;

 private:
  TFakeInput& input_;
};
