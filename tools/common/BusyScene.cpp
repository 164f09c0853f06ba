#include "BusyScene.h"

#include <GL/gl.h>

#include "PixelView.h"
#include "WorldState.h"

TSceneCount CountScene(const TWorldState& F) {
  TSceneCount C;
  C.Aliens = TBlob::CountActive(*F.Aliens);
  C.Rockets = TBlob::CountActive(*F.Rockets);
  C.PlayerShots = TBlob::CountActive(*F.PlayerShots);
  C.AlienShots = TBlob::CountActive(*F.AlienShots);
  C.Fragments = TBlob::CountActive(*F.Fragments);
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
