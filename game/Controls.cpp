// The player's controls: the per-frame poll, the key handler and the mouse. No GL here.
#include "World.h"

namespace {

constexpr uint16_t KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40;
constexpr uint16_t KeyB = 66, KeyF = 70, KeyN = 78, KeyZ = 90;
constexpr int PanFullLeft = -10000, PanFullRight = 10000;
constexpr uint32_t ShotIntervalMs = 100;
constexpr int32_t TitleFramesBeforePlay = 100;

void Clamp(float& Value, float Lo, float Hi) {
  if (Value > Hi) Value = Hi;
  if (Value < Lo) Value = Lo;
}

// A step of 0.1 in double, stored back as a float; kept within 0..1.
void StepAlpha(float& Alpha, double Step) {
  Alpha = float(double(Alpha) + Step);
  Clamp(Alpha, 0, 1);
}

}  // namespace

void TWorld::PollInput(TInputStates States) {
  auto Held = [States](int State) { return (States & InputBit(State)) != 0; };

  Sound().SetPan(WaveMeShoot, 0);
  if (Held(StateLeft)) {
    // The shot is heard on the side away from the turn.
    Sound().SetPan(WaveMeShoot, PanFullRight);
    if (Player) Player->Rotation.y -= 2;
  }
  if (Held(StateRight)) {
    Sound().SetPan(WaveMeShoot, PanFullLeft);
    if (Player) Player->Rotation.y += 2;
  }
  if (Player && Held(StateUp)) {
    Player->Speed += 1;
    if (Player->Speed > 16) Player->Speed = 16;
  }
  if (Player && Held(StateDown)) {
    Player->Speed -= 1;
    if (Player->Speed < -8) Player->Speed = -8;
  }
  if (Held(StateButton1)) {
    if (OnTitleScreen && TitleFrames > TitleFramesBeforePlay) {
      OnTitleScreen = 0;  // play starts; this press fires nothing
    } else if (Ticks() - LastShotTick > ShotIntervalMs) {
      FirePlayerShot();
      LastShotTick = Ticks();
    }
  }
}

void TWorld::HandleKey(uint16_t Key) {
  const bool Playing = GameOverTimer == 0 && Player;
  switch (Key) {
    case KeyLeft:
      if (Playing) Player->Rotation.y -= 2;
      break;
    case KeyRight:
      if (Playing) Player->Rotation.y += 2;
      break;
    case KeyUp:
      // At 8 or above (the poll climbs to 16 while the key is held) a key-down,
      // auto-repeat included, leaves the speed alone rather than dropping it to 8.
      if (Playing && Player->Speed < 8) {
        Player->Speed += 1;
        if (Player->Speed > 8) Player->Speed = 8;
      }
      break;
    case KeyDown:
      if (Playing) {
        Player->Speed -= 1;
        if (Player->Speed < -8) Player->Speed = -8;
      }
      break;
    case KeyZ:
      // Every key-down fires, auto-repeat included: no interval here.
      if (GameOverTimer == 0) {
        OnTitleScreen = 0;
        FirePlayerShot();
      }
      break;
    case KeyF:
      FlatShading = FlatShading ? 0 : 1;
      break;
    case KeyN:
      StepAlpha(RadarAlpha, 0.1);
      break;
    case KeyB:
      StepAlpha(RadarAlpha, -0.1);
      break;
    default:
      break;
  }
}

void TWorld::FormMouseMove(uint32_t Shift, int X, int Y) {
  // At one edge the pointer jumps to the other, keeping its height so that
  // moving up still raises the speed. The jump itself must not turn the
  // player, so the position it lands on becomes the new reference below.
  bool Wrapped = false;
  int WrappedX = 0;
  if (X <= 0) {
    Wrapped = true;
    WrappedX = ScreenWidth;
  } else if (X >= ScreenWidth - 2) {
    Wrapped = true;
    WrappedX = 0;
  }
  if (Wrapped && services_.Cursor) services_.Cursor->SetCursorPos(WrappedX, Y);
  if (Player) Player->Rotation.y += float(X - LastMouseX);
  if (Shift & ssLeft) FirePlayerShot();
  if ((Shift & ssRight) && Player) {
    if (Y < LastMouseY) Player->Speed = float(double(Player->Speed) + 0.3);
    if (Y > LastMouseY) Player->Speed = float(double(Player->Speed) - 0.3);
    Clamp(Player->Speed, -6, 8);
  }
  LastMouseX = Wrapped ? WrappedX : X;
  LastMouseY = Y;
}

void TWorld::FormClick() { FirePlayerShot(); }
