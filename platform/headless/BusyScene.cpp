#include "BusyScene.h"

#include <GL/gl.h>

#include <cmath>

#include "PixelView.h"
#include "frmMainGL.h"

namespace {

// A place Distance ahead of the player, Spread degrees either side of its heading.
TVec3 Ahead(const TBlob& Player, float Distance, float Degrees) {
  const float A = (Player.Rotation.y + Degrees) * float(M_PI) / 180.0f;
  return MakeVector(Player.Position.x + Distance * std::cos(A), 0, Player.Position.z + Distance * std::sin(A));
}

int Active(const std::unique_ptr<TBlobList>& List) {
  int N = 0;
  if (List)
    for (const auto& B : *List) N += B->Active ? 1 : 0;
  return N;
}

}  // namespace

void StageBusyScene(TFormMain& F) {
  if (!F.Player || !F.Aliens) return;
  const TBlob& P = *F.Player;
  int i = 0;
  for (auto& Item : *F.Aliens) {
    TBlob& A = *Item;
    ++i;
    if (A.State != 0) continue;
    A.Position = Ahead(P, 500.0f + 60.0f * float(i), float(i * 17 % 90) - 45.0f);
    A.Radius = ModelRadius(F.AlienModels[(A.Kind - 2) & 3]);
    A.Target = Ahead(P, 2500, float(i * 37 % 360));
    A.DeathTimer = 250;
    A.Exploded = 0;
    A.Speed = 6;
    A.OnArrive = [&F](TBlob& Arrived) { F.ChooseNewTarget(Arrived); };
    A.SetActive(true);
    A.State = 1;
    A.SetBobSpeed(0.3f);
    A.BobMax = 24;
  }
  for (auto& Item : *F.Rockets) {
    TBlob& R = *Item;
    ++i;
    if (R.State != 0) continue;
    R.Position = Ahead(P, 1800, float(i * 23 % 120) - 60.0f);
    R.Radius = ModelRadius(F.RocketModel);
    R.DeathTimer = 250;
    R.Exploded = 0;
    R.Speed = 4;
    R.Target = P.Position;
    R.SetActive(true);
    R.State = 1;
  }
  for (int Free = int(F.Fragments->size()) - Active(F.Fragments); Free > 0; --Free) F.ThrowFragment(*(*F.Aliens)[Free % 20], {1, 1, 0});
  // Nobody wins: no game over, no level advance, the colour scheme stays.
  F.HitsByAlien = F.HitsByRocket = F.HitsByAlienShot = 0;
  F.LevelKills = 0;
}

TSceneCount CountScene(const TFormMain& F) {
  TSceneCount C;
  C.Aliens = Active(F.Aliens);
  C.Rockets = Active(F.Rockets);
  C.PlayerShots = Active(F.PlayerShots);
  C.AlienShots = Active(F.AlienShots);
  C.Fragments = Active(F.Fragments);
  return C;
}

void BeginBaseline(int Width, int Height) {
  BeginPixelView(Width, Height);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void DrawBaselineFrame(int Frame, int Width, int Height) {
  glClearColor(0, 0, 0.2f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(0.5f, float(Frame % 2), 0.5f);
  glBegin(GL_QUADS);
  glVertex2f(0, 0);
  glVertex2f(float(Width), 0);
  glVertex2f(float(Width), float(Height));
  glVertex2f(0, float(Height));
  glEnd();
}

void EndBaseline() { EndPixelView(); }
