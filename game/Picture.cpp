#include "Picture.h"

#include <GL/gl.h>

#include "DrawChunks.h"

namespace {

struct TColourScheme {
  TVec3 Ambient, Diffuse;
  TVec3 Top, AboveHorizon, BelowHorizon, Bottom;
};

const TColourScheme ColourSchemes[11] = {
    {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 1}, {0.4f, 0.4f, 0.5f}, {0.4f, 0.4f, 0.5f}, {0.2f, 0.2f, 0.2f}},
    {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 1}, {0.9f, 0.9f, 1}, {0.8f, 0.8f, 1}, {0.2f, 0.2f, 0.2f}},
    {{1, 0.6f, 0}, {1, 0.6f, 0}, {1, 0.2f, 0}, {0.6f, 0.6f, 0}, {0.6f, 0.6f, 0}, {0.9f, 0.9f, 0.9f}},
    {{1, 0.5f, 0}, {1, 0.5f, 0}, {1, 0.5f, 0}, {0, 0, 0}, {0.1f, 0, 0}, {0.5f, 0.25f, 0}},
    {{0.5f, 0, 0}, {0.5f, 0, 0}, {1, 0, 0}, {0.8f, 0.8f, 0.8f}, {0.7f, 0.7f, 0.7f}, {0.5f, 0, 0}},
    {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 1}, {0.7f, 0.4f, 0.5f}, {0.7f, 0.4f, 0.5f}, {0.2f, 0.2f, 0.2f}},
    {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 1}, {0.4f, 0.7f, 0.5f}, {0.4f, 0.7f, 0.5f}, {0.2f, 0.2f, 0.2f}},
    {{0.7f, 0, 0.7f}, {0.7f, 0, 0.7f}, {0, 0, 1}, {0.6f, 0, 0.6f}, {0.6f, 0, 0.6f}, {0.2f, 0.2f, 0.2f}},
    {{0.6f, 0.6f, 0.6f}, {0.6f, 0.6f, 0.6f}, {0, 0, 1}, {1, 0.7f, 0.5f}, {1, 0.7f, 0.5f}, {0.2f, 0.2f, 0.2f}},
    {{0.7f, 0.7f, 0.7f}, {0.7f, 0.7f, 0.7f}, {0, 0, 1}, {0.6f, 0, 0}, {0.6f, 0, 0}, {0.2f, 0.2f, 0.2f}},
    {{0, 1, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
};

// Light 0 as the title and the start-up set it.
const float LightPosition[4] = {-250, 250, 0, 1};
const float LightAmbient[4] = {0.4f, 0.4f, 0.4f, 1};
const float LightDiffuse[4] = {1, 1, 1, 1};
const float LightSpecular[4] = {1, 1, 1, 1};

void SetOrtho() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, 1, -1);
  glMatrixMode(GL_MODELVIEW);
}

void DrawModel(const std::unique_ptr<TMS3DObj>& Model, bool Wireframe) {
  if (Model) Model->Draw(Wireframe);
}

}  // namespace

bool SchemeSky(int Scheme, TVec3& Top, TVec3& UpperHorizon, TVec3& LowerHorizon) {
  if (Scheme < 0 || Scheme > 10) return false;
  Top = ColourSchemes[Scheme].Top;
  UpperHorizon = ColourSchemes[Scheme].AboveHorizon;
  LowerHorizon = ColourSchemes[Scheme].BelowHorizon;
  return true;
}

bool GameOverFlashes(int32_t GameOverTimer) {
  // Red for ten frames, then not for ten, from 100 down: 100-91, 80-71, ... 20-11.
  // A flash every other frame would strobe at 30 a second.
  return GameOverTimer > 0 && ((100 - GameOverTimer) / 10) % 2 == 0;
}

TPicture::~TPicture() = default;

bool TPicture::StartUp(const std::string& ProgramFolder, IMessageSink& Messages) {
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
  glViewport(0, 0, viewWidth_, viewHeight_);
  if (!CheckGLError(Messages)) return false;
  glClearColor(0.5f, 0.5f, 0.5f, 1);
  SetDrawChunk(DrawChunkFor(reinterpret_cast<const char*>(glGetString(GL_RENDERER))));
  // The sixteen models are one load, read first; each is then made ready to draw, in order.
  std::string failure = ReadModelSet(models_, ProgramFolder, Messages);
  for (int i = 0; i < ModelSlotCount && failure.empty(); ++i) failure = LoadStage(i, [&] { models_[i]->Compile(); });
  if (!failure.empty()) Messages.ShowMessage(failure);
  return failure.empty();
}

void TPicture::Release() {
  for (auto& model : models_) model.reset();
  TitleText.Release();
}

void TPicture::SwitchOnLight() {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glLightfv(GL_LIGHT0, GL_POSITION, LightPosition);
  glLightfv(GL_LIGHT0, GL_AMBIENT, LightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, LightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, LightSpecular);
}

void TPicture::ApplyColourScheme(int32_t Scheme) {
  if (Scheme < 0 || Scheme > 10) return;
  const TColourScheme& s = ColourSchemes[Scheme];
  // The wireframe scheme paints its black backdrop before switching to its green light.
  if (Scheme == WireframeScheme) {
    DrawBackdrop(s.Top, s.AboveHorizon, s.BelowHorizon, s.Bottom);
    SetLightColours(s.Ambient, s.Diffuse);
  } else {
    SetLightColours(s.Ambient, s.Diffuse);
    DrawBackdrop(s.Top, s.AboveHorizon, s.BelowHorizon, s.Bottom);
  }
}

void TPicture::HitFlash() {
  const TVec3 red = MakeVector(1, 0, 0);
  DrawBackdrop(red, red, red, red);
  SetLightColours(red, red);
}

void TPicture::BeginPicture() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  StartDrawChunk();
}

void TPicture::DrawTitle(const TWorldState& W) {
  SwitchOnLight();
  glDepthMask(GL_TRUE);

  SetPerspective(2200);
  glViewport(0, 0, viewWidth_, viewHeight_);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();

  // The title text never writes depth, so the logo tumbles through it. It is
  // the same picture on every frame of a title, and its many thin triangles
  // cost a software rasteriser more than all the rest: drawn once and kept.
  if (TitleText.Holds(viewWidth_, viewHeight_)) {
    TitleText.Draw(viewWidth_, viewHeight_);
  } else {
    glDepthMask(GL_FALSE);
    glPushMatrix();
    glTranslatef(0, 0, -50);
    DrawModel(models_[GameTextSlot], false);
    glPopMatrix();
    const GLubyte black[3] = {0, 0, 0};  // the clear colour above
    TitleText.Capture(viewWidth_, viewHeight_, black);
  }

  glDepthMask(GL_TRUE);
  glPushMatrix();
  glTranslatef(0, 100, -150);
  glRotatef(W.LogoSpin.x, 1, 0, 0);
  glRotatef(W.LogoSpin.y, 0, 1, 0);
  glRotatef(W.LogoSpin.z, 0, 0, 1);
  DrawModel(models_[LogoSlot], false);
  glPopMatrix();
}

void TPicture::DrawPlayBegins(const TWorldState& W) {
  SetOrtho();
  glViewport(0, 0, viewWidth_, viewHeight_);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  glDepthMask(GL_FALSE);
  ApplyColourScheme(W.ColourScheme);
}

void TPicture::DrawWorldMoved(const TWorldState& W, bool Hit) {
  if (!reduceFlashing_ && (Hit || GameOverFlashes(W.GameOverTimer))) HitFlash();
  if (reduceFlashing_ && W.GameOverTimer > 0) {
    // A steady dark red under the game over's words instead of the flashes.
    const TVec3 darkRed = MakeVector(0.35f, 0, 0), redLight = MakeVector(0.55f, 0.12f, 0.12f);
    DrawBackdrop(darkRed, darkRed, darkRed, darkRed);
    SetLightColours(redLight, redLight);
  }

  glDepthMask(GL_TRUE);
  SetPerspective(2200);
  glViewport(0, 0, viewWidth_, viewHeight_);
  glClearColor(0, 0, 0, 0);
  glClear(GL_DEPTH_BUFFER_BIT);

  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glDepthFunc(GL_LEQUAL);
  glShadeModel(W.FlatShading ? GL_FLAT : GL_SMOOTH);

  // First-person camera: the eye rides 40 above the floor whatever the player's height.
  glLoadIdentity();
  glRotatef(W.Player->Rotation.x, 1, 0, 0);
  glRotatef(W.Player->Rotation.y + 90, 0, 1, 0);
  glRotatef(W.Player->Rotation.z, 0, 0, 1);
  glTranslatef(-W.Player->Position.x, -40, -W.Player->Position.z);
  DrawGroundFragmentsAndAliens(W);
}

void TPicture::DrawWorldStepped(const TWorldState& W) {
  for (const auto& r : *W.Rockets) DrawRocket(W, *r);
  DrawShots(W);
  if (reduceFlashing_ && hitTintFrames_ > 0) DrawHitTint();
  DrawOverlay(W);
}

void TPicture::CountHitTint(bool Hit) {
  if (Hit) hitTintFrames_ = 10;
}

void TPicture::AfterStepped() {
  if (hitTintFrames_ > 0) hitTintFrames_ -= 1;
}

void TPicture::Redraw(const TWorldState& W) {
  BeginPicture();
  if (W.OnTitleScreen) {
    DrawTitle(W);
    return;
  }
  ForgetTitle();
  DrawPlayBegins(W);
  DrawWorldMoved(W, false);
  DrawWorldStepped(W);
}
