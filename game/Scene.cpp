#include "Picture.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

float MinYOf(const std::unique_ptr<TMS3DObj>& Model) { return Model ? Model->MinY : 0.0f; }

// Position y lifted so the model's lowest point sits at the object's height, plus its bob.
float LiftedHeight(const TBlob& Object, const std::unique_ptr<TMS3DObj>& Model) {
  return Object.Position.y - MinYOf(Model) + Object.Bob;
}

bool SameColour(const TVec3& A, const TVec3& B) { return A.x == B.x && A.y == B.y && A.z == B.z; }

// One colour over the whole view as a colour clear cut to the viewport: the
// pixels a flat quad of that colour would write, but a software rasteriser
// fills memory instead of shading every pixel (the wireframe level's black
// backdrop cost as much as the rest of its scene's fill). Only where the quad
// would write its colour unchanged: no blending, texturing, lighting or
// scissor box of the caller's. False when it did nothing.
bool ClearViewTo(const TVec3& Colour) {
  if (glIsEnabled(GL_BLEND) || glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_LIGHTING) || glIsEnabled(GL_SCISSOR_TEST))
    return false;
  GLint view[4];
  GLfloat clearColour[4];
  glGetIntegerv(GL_VIEWPORT, view);
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
  glEnable(GL_SCISSOR_TEST);
  glScissor(view[0], view[1], view[2], view[3]);
  glClearColor(Colour.x, Colour.y, Colour.z, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  glDisable(GL_SCISSOR_TEST);
  glColor3f(Colour.x, Colour.y, Colour.z);  // the current colour, as the quad leaves it
  return true;
}

void DrawAt(const std::unique_ptr<TMS3DObj>& Model, float X, float Y, float Z, float Heading, bool Wireframe) {
  glPushMatrix();
  glTranslatef(X, Y, Z);
  if (Heading != 0) glRotatef(Heading, 0, 1, 0);
  if (Model) Model->Draw(Wireframe);
  glPopMatrix();
}

}  // namespace

void TPicture::SetPerspective(double Far) {
  // At 4:3 the frustum spans -1..1 both ways. A wider view sees more to the
  // sides, a narrower one more above and below, so nothing is stretched.
  double Right = 1, Top = 1;
  const double W = viewWidth_ > 0 ? viewWidth_ : 1, H = viewHeight_ > 0 ? viewHeight_ : 1;
  if (3 * W > 4 * H) Right = 3 * W / (4 * H);
  else if (3 * W < 4 * H) Top = 4 * H / (3 * W);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-Right, Right, -Top, Top, 1, Far);
  glMatrixMode(GL_MODELVIEW);
}

void TPicture::SetLightColours(const TVec3& Ambient, const TVec3& Diffuse) {
  const float ambient[4] = {Ambient.x, Ambient.y, Ambient.z, 1};
  const float diffuse[4] = {Diffuse.x, Diffuse.y, Diffuse.z, 1};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

void TPicture::DrawBackdrop(const TVec3& Top, const TVec3& UpperHorizon, const TVec3& LowerHorizon,
                             const TVec3& Bottom) {
  const bool oneColour = SameColour(Top, UpperHorizon) && SameColour(Top, LowerHorizon) && SameColour(Top, Bottom);
  if (oneColour && ClearViewTo(Top)) {
    glEnable(GL_DEPTH_TEST);  // as the quad leaves it
    return;
  }
  // The backdrop covers the whole view whatever depth the buffer holds: a fresh or
  // resized window's depth buffer is undefined, and the backdrop writes no depth anyway.
  glDisable(GL_DEPTH_TEST);
  // Its colours have alpha 1 and pass the models' alpha test anyway; without the
  // test a software rasteriser fills whole tiles on its fast path. One colour
  // all over where the clear could not stand in needs no interpolation: flat
  // gives the same pixels for less work. Both states are put back afterwards.
  const GLboolean alphaTest = glIsEnabled(GL_ALPHA_TEST);
  glDisable(GL_ALPHA_TEST);
  GLint shadeModel = GL_SMOOTH;
  if (oneColour) {
    glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
    glShadeModel(GL_FLAT);
  }
  // Four counter-clockwise triangles: front faces under the start-up culling state.
  glBegin(GL_TRIANGLES);
  glColor3f(Top.x, Top.y, Top.z);
  glVertex3f(-1, 1, 0);
  glColor3f(UpperHorizon.x, UpperHorizon.y, UpperHorizon.z);
  glVertex3f(-1, 0, 0);
  glVertex3f(1, 0, 0);
  glColor3f(Top.x, Top.y, Top.z);
  glVertex3f(-1, 1, 0);
  glColor3f(UpperHorizon.x, UpperHorizon.y, UpperHorizon.z);
  glVertex3f(1, 0, 0);
  glColor3f(Top.x, Top.y, Top.z);
  glVertex3f(1, 1, 0);

  glColor3f(LowerHorizon.x, LowerHorizon.y, LowerHorizon.z);
  glVertex3f(-1, 0, 0);
  glColor3f(Bottom.x, Bottom.y, Bottom.z);
  glVertex3f(-1, -1, 0);
  glVertex3f(1, -1, 0);
  glColor3f(LowerHorizon.x, LowerHorizon.y, LowerHorizon.z);
  glVertex3f(-1, 0, 0);
  glColor3f(Bottom.x, Bottom.y, Bottom.z);
  glVertex3f(1, -1, 0);
  glColor3f(LowerHorizon.x, LowerHorizon.y, LowerHorizon.z);
  glVertex3f(1, 0, 0);
  glEnd();
  if (oneColour) glShadeModel(shadeModel);
  if (alphaTest) glEnable(GL_ALPHA_TEST);
  glEnable(GL_DEPTH_TEST);
}

void TPicture::DrawHitTint() {
  // Red at the view's edges fading to nothing a fifth of the way in: the
  // hit is seen without the whole view turning red.
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glViewport(0, 0, viewWidth_, viewHeight_);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_CULL_FACE);
  glDepthMask(GL_FALSE);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  const float strength = 0.75f * float(hitTintFrames_) / 10, in = 0.6f;
  // Each edge: outer corners red, inner corners clear.
  const float outer[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  const float inner[4][2] = {{-in, -in}, {in, -in}, {in, in}, {-in, in}};
  glBegin(GL_QUADS);
  for (int e = 0; e < 4; ++e) {
    const int n = (e + 1) % 4;
    glColor4f(1, 0, 0, strength);
    glVertex2f(outer[e][0], outer[e][1]);
    glVertex2f(outer[n][0], outer[n][1]);
    glColor4f(1, 0, 0, 0);
    glVertex2f(inner[n][0], inner[n][1]);
    glVertex2f(inner[e][0], inner[e][1]);
  }
  glEnd();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
}

void TPicture::DrawGroundFragmentsAndAliens(const TWorldState& W) {
  const bool wire = W.Wireframe != 0;
  // Aliens and shots are turned back by the camera's own turn so they always face the viewer.
  const float facing = -W.Player->Rotation.y - 90;

  for (const auto& t : *W.Teleports) DrawAt(models_[TeleportSlot], t->Position.x, -MinYOf(models_[TeleportSlot]), t->Position.z, 0, wire);

  // The floor alone is cut 900 ahead; everything after it is drawn to 2200 and
  // so wins the depth test against the floor at equal distance.
  SetPerspective(900);
  glViewport(0, 0, viewWidth_, viewHeight_);
  for (const auto& t : *W.FloorTiles)
    DrawAt(models_[FloorTileSlot], t->Position.x, 1 - MinYOf(models_[FloorTileSlot]), t->Position.z, 0, wire);
  SetPerspective(2200);
  glViewport(0, 0, viewWidth_, viewHeight_);

  for (const auto& f : *W.Fragments) {
    if (!f->Active) continue;
    if (models_[DiamondSlot] && !models_[DiamondSlot]->Materials.empty()) {
      TMaterial& m = models_[DiamondSlot]->Materials[0];
      const float ambient[4] = {f->Colour.x, f->Colour.y, f->Colour.z, 0};
      std::copy(ambient, ambient + 4, m.Ambient);
      std::fill(m.Diffuse, m.Diffuse + 4, 1.0f);
    }
    DrawAt(models_[DiamondSlot], f->Position.x, LiftedHeight(*f, models_[DiamondSlot]), f->Position.z, f->Rotation.y, wire);
    DrawAt(models_[DiamondShadowSlot], f->Position.x, 0, f->Position.z, f->Rotation.y, wire);
  }

  for (const auto& o : *W.Obstacles)
    if (o->Active) DrawAt(models_[ObstacleSlot], o->Position.x, -MinYOf(models_[ObstacleSlot]), o->Position.z, 0, wire);

  for (const auto& a : *W.Aliens) {
    if (!a->Active || a->State == 0 || a->State == 3) continue;
    static const std::unique_ptr<TMS3DObj> noBody;
    const auto& body = (a->Kind >= 2 && a->Kind <= 5) ? models_[Alien1Slot + a->Kind - 2] : noBody;
    DrawAt(body, a->Position.x, LiftedHeight(*a, models_[Alien1Slot]), a->Position.z, facing, wire);
    DrawAt(models_[AlienShadowSlot], a->Position.x, 0, a->Position.z, 0, wire);
  }

}

void TPicture::DrawRocket(const TWorldState& W, const TBlob& R) {
  if (!R.Active || R.State == 0 || R.State == 3) return;
  DrawAt(models_[RocketSlot], R.Position.x, LiftedHeight(R, models_[RocketSlot]), R.Position.z, 90 - R.Rotation.y, W.Wireframe != 0);
}

void TPicture::DrawShots(const TWorldState& W) {
  const bool wire = W.Wireframe != 0;
  const float facing = -W.Player->Rotation.y - 90;
  for (const auto& s : *W.AlienShots) {
    if (!s->Active) continue;
    const float lifted = LiftedHeight(*s, models_[AlienBulletSlot]);
    DrawAt(models_[AlienBulletSlot], s->Position.x, lifted, s->Position.z, facing, wire);
    // The shadow mirrors the bullet's drawn height through the floor plane.
    DrawAt(models_[AlienShadowSlot], s->Position.x, -lifted, s->Position.z, 0, wire);
  }

  for (const auto& s : *W.PlayerShots) {
    if (!s->Active) continue;
    glPushMatrix();
    glTranslatef(s->Position.x, LiftedHeight(*s, models_[StarBulletSlot]), s->Position.z);
    glRotatef(facing, 0, 1, 0);
    glRotatef(s->Roll, 0, 0, 1);
    if (models_[StarBulletSlot]) models_[StarBulletSlot]->Draw(wire);
    glPopMatrix();
  }
}
