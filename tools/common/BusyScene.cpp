#include "BusyScene.h"

#include <GL/gl.h>

#include "PixelView.h"
#include "WorldState.h"

namespace {

int Active(const TOwned<TBlobList>& List) {
  int N = 0;
  if (List)
    for (const auto& B : *List) N += B->Active ? 1 : 0;
  return N;
}

}  // namespace

TSceneCount CountScene(const TWorldState& F) {
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
