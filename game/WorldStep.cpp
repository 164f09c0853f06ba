// The world's frame: the frame's messages, the title or play steps in the
// order the picture is taken between them, then the caption and the game over.
#include <cstdio>

#include "SilentSound.h"
#include "World.h"

TWorld::TWorld(const TWorldServices& Services, int32_t InitialHighScore) : services_(Services) {
  Caption.reserve(256);
  ScreenWidth = Services.ScreenWidth;
  ScreenHeight = Services.ScreenHeight;
  // The pointer starts at the centre of the screen.
  LastMouseX = Services.ScreenWidth / 2;
  LastMouseY = Services.ScreenHeight / 2;
  FormCreate();
  HighScore = InitialHighScore;
}

TWorld::~TWorld() = default;

uint32_t TWorld::Ticks() { return services_.Ticks ? services_.Ticks->GetTickCount() : 0; }

ISoundService& TWorld::Sound() {
  static TSilentSound silent;
  return services_.Sound ? *services_.Sound : silent;
}

void TWorld::TakeMessage(const TWorldMessage& M) {
  switch (M.Kind) {
    case TWorldMessage::Key:
      HandleKey(uint16_t(M.A));
      break;
    case TWorldMessage::Click:
      FormClick();
      break;
    case TWorldMessage::Size:
      ScreenWidth = M.A;
      ScreenHeight = M.B;
      break;
    case TWorldMessage::Stage:
      Stage(TStaging(M.A), M.B);
      break;
  }
}

void TWorld::Step(const TFrameInput& Input, IFramePainter* Painter) {
  const uint32_t startTick = Ticks();
  for (size_t i = 0; i < Input.MessageCount; ++i) TakeMessage(Input.Messages[i]);
  if (Input.MouseMoved) FormMouseMove(Input.MouseButtons, Input.MouseX, Input.MouseY);
  if (StartupPending) return;
  if (OnTitleScreen) TitleFrame(Input, Painter);
  else PlayFrame(Input, Painter);
  EndFrame(startTick);
}

void TWorld::EndFrame(uint32_t StartTick) {
  // Formatted only when the frame took at least one tick; into a fixed buffer
  // so that a frame allocates nothing.
  if (Ticks() != StartTick) {
    char text[256];
    std::snprintf(text, sizeof text, "Skyrend X=%.2f Y=%.2f Z=%.2f Ang=%.2f HBA %d HBR %d HBAP %d",
                  Player->Position.x, Player->Position.y, Player->Position.z, Player->Rotation.y,
                  HitsByAlien, HitsByRocket, HitsByAlienShot);
    Caption.assign(text);
  }

  if (GameOverTimer == 0 && Hits() >= 3) {
    TitleFrames = 0;
    GameOverTimer = 100;
    // No rocket hum over the game over and the title that follows.
    Sound().Stop(WaveRocketHum);
  } else if (GameOverTimer != 0) {
    GameOverTimer -= 1;
    if (GameOverTimer <= 0) {
      ClearWorld();
      NewGame();
      OnTitleScreen = 1;
    }
  }
}

void TWorld::TitleFrame(const TFrameInput& Input, IFramePainter* Painter) {
  StepTitleCount();
  Wireframe = 0;
  StepLogoSpin();
  if (Painter) Painter->TitleShown(View());
  PollInput(Input.States);
}

void TWorld::PlayFrame(const TFrameInput& Input, IFramePainter* Painter) {
  ApplyColourScheme();
  if (Painter) Painter->PlayBegins(View());
  const int32_t hitsBefore = Hits();
  if (GameOverTimer == 0) {
    PollInput(Input.States);
    UpdateWorld();
  }
  if (Painter) Painter->WorldMoved(View(), Hits() != hitsBefore);
  CheckLevelAdvance();
  for (auto& r : *Rockets) UpdateRocket(*r);  // the rocket's second behaviour step of the frame
  KeepHighScore();  // the overlay shows it
  if (Painter) Painter->WorldStepped(View());
  StepRadarSweep();  // after the ring was drawn with this frame's highlight
}

// The steps that go with the pictures: each runs at the point of the frame
// where its picture needs it.

void TWorld::StepTitleCount() { TitleFrames += 1; }

void TWorld::StepLogoSpin() {
  LogoSpin.x += 1;
  LogoSpin.y += 2;
}

void TWorld::StepRadarSweep() {
  // The highlight steps clockwise one point of the ring per 10 frames.
  RadarSweep -= 0.1f;
  if (RadarSweep < 0) RadarSweep = 15;
}

void TWorld::KeepHighScore() {
  if (Score > HighScore) HighScore = Score;
}

void TWorld::ApplyColourScheme() {
  if (ColourScheme < 0 || ColourScheme > 10) return;
  Wireframe = ColourScheme == WireframeScheme ? 1 : 0;
}
