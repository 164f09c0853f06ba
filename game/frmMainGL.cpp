#include "frmMainGL.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "DrawChunks.h"

namespace {

// Used when the form is given no sound service: every cue does nothing.
class TSilentSound : public ISoundService {
 public:
  void Play(int) override {}
  void Stop(int) override {}
  void SetPan(int, int) override {}
  void RestartSound(int) override {}
};

struct TColourScheme {
  TVec3 Ambient, Diffuse;
  TVec3 Top, AboveHorizon, BelowHorizon, Bottom;
  uint8_t Wireframe;
};

const TColourScheme ColourSchemes[11] = {
    {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 1}, {0.4f, 0.4f, 0.5f}, {0.4f, 0.4f, 0.5f}, {0.2f, 0.2f, 0.2f}, 0},
    {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 1}, {0.9f, 0.9f, 1}, {0.8f, 0.8f, 1}, {0.2f, 0.2f, 0.2f}, 0},
    {{1, 0.6f, 0}, {1, 0.6f, 0}, {1, 0.2f, 0}, {0.6f, 0.6f, 0}, {0.6f, 0.6f, 0}, {0.9f, 0.9f, 0.9f}, 0},
    {{1, 0.5f, 0}, {1, 0.5f, 0}, {1, 0.5f, 0}, {0, 0, 0}, {0.1f, 0, 0}, {0.5f, 0.25f, 0}, 0},
    {{0.5f, 0, 0}, {0.5f, 0, 0}, {1, 0, 0}, {0.8f, 0.8f, 0.8f}, {0.7f, 0.7f, 0.7f}, {0.5f, 0, 0}, 0},
    {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 1}, {0.7f, 0.4f, 0.5f}, {0.7f, 0.4f, 0.5f}, {0.2f, 0.2f, 0.2f}, 0},
    {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 1}, {0.4f, 0.7f, 0.5f}, {0.4f, 0.7f, 0.5f}, {0.2f, 0.2f, 0.2f}, 0},
    {{0.7f, 0, 0.7f}, {0.7f, 0, 0.7f}, {0, 0, 1}, {0.6f, 0, 0.6f}, {0.6f, 0, 0.6f}, {0.2f, 0.2f, 0.2f}, 0},
    {{0.6f, 0.6f, 0.6f}, {0.6f, 0.6f, 0.6f}, {0, 0, 1}, {1, 0.7f, 0.5f}, {1, 0.7f, 0.5f}, {0.2f, 0.2f, 0.2f}, 0},
    {{0.7f, 0.7f, 0.7f}, {0.7f, 0.7f, 0.7f}, {0, 0, 1}, {0.6f, 0, 0}, {0.6f, 0, 0}, {0.2f, 0.2f, 0.2f}, 0},
    {{0, 1, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, 1},
};

}  // namespace

bool SchemeSky(int Scheme, TVec3& Top, TVec3& UpperHorizon, TVec3& LowerHorizon) {
  if (Scheme < 0 || Scheme > 10) return false;
  Top = ColourSchemes[Scheme].Top;
  UpperHorizon = ColourSchemes[Scheme].AboveHorizon;
  LowerHorizon = ColourSchemes[Scheme].BelowHorizon;
  return true;
}

namespace {

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

TFormMain::TFormMain(const TServices& Services) : Services(Services) {
  Caption.reserve(256);
  // The pointer starts at the centre of the screen.
  LastMouseX = Services.ScreenWidth / 2;
  LastMouseY = Services.ScreenHeight / 2;
  FormCreate();
}

TFormMain::~TFormMain() = default;

ISoundService& TFormMain::Sound() {
  static TSilentSound silent;
  return Services.Sound ? *Services.Sound : silent;
}

void TFormMain::ResetLights() {
  const float position[4] = {-250, 250, 0, 1};
  const float ambient[4] = {0.4f, 0.4f, 0.4f, 1};
  const float white[4] = {1, 1, 1, 1};
  std::copy(position, position + 4, LightPosition);
  std::copy(ambient, ambient + 4, LightAmbient);
  std::copy(white, white + 4, LightDiffuse);
  std::copy(white, white + 4, LightSpecular);
}

void TFormMain::SwitchOnLight() {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glLightfv(GL_LIGHT0, GL_POSITION, LightPosition);
  glLightfv(GL_LIGHT0, GL_AMBIENT, LightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, LightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, LightSpecular);
}

void TFormMain::ApplyColourScheme(bool Draw) {
  if (ColourScheme < 0 || ColourScheme > 10) return;
  const TColourScheme& s = ColourSchemes[ColourScheme];
  Wireframe = s.Wireframe;
  if (!Draw) return;
  // The wireframe scheme paints its black backdrop before switching to its green light.
  if (ColourScheme == 10) {
    DrawBackdrop(s.Top, s.AboveHorizon, s.BelowHorizon, s.Bottom);
    SetLightColours(s.Ambient, s.Diffuse);
  } else {
    SetLightColours(s.Ambient, s.Diffuse);
    DrawBackdrop(s.Top, s.AboveHorizon, s.BelowHorizon, s.Bottom);
  }
}

void TFormMain::HitFlash() {
  const TVec3 red = MakeVector(1, 0, 0);
  DrawBackdrop(red, red, red, red);
  SetLightColours(red, red);
}

bool TFormMain::GameOverFlashes() const {
  // Red for ten frames, then not for ten, from 100 down: 100-91, 80-71, ... 20-11.
  // A flash every other frame would strobe at 30 a second.
  return GameOverTimer > 0 && ((100 - GameOverTimer) / 10) % 2 == 0;
}

void TFormMain::FormPaint() { RunFrame(true, true); }

void TFormMain::FormStep() { RunFrame(true, false); }

void TFormMain::FormRedraw() { RunFrame(false, true); }

void TFormMain::RunFrame(bool Step, bool Draw) {
  const uint32_t startTick = Step ? Ticks() : 0;
  if (StartupPending) {
    if (Step) StartUp();
    return;
  }
  if (Draw) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    StartDrawChunk();
  }
  if (OnTitleScreen) TitleFrame(Step, Draw);
  else {
    TitleText.Forget();  // the next title may come under other GL state
    PlayFrame(Step, Draw);
  }
  if (!Step) return;

  // Formatted only when the frame took at least one tick; into a fixed buffer
  // so that a frame allocates nothing.
  if (Ticks() != startTick) {
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

// The world's steps that go with the pictures: each runs at the point of the
// frame where its picture needs it, and none of them draws, so a frame could
// step without being drawn.

void TFormMain::StepTitleCount() { TitleFrames += 1; }

void TFormMain::StepLogoSpin() {
  LogoSpin.x += 1;
  LogoSpin.y += 2;
}

void TFormMain::StepRadarSweep() {
  // The highlight steps clockwise one point of the ring per 10 frames.
  RadarSweep -= 0.1f;
  if (RadarSweep < 0) RadarSweep = 15;
}

void TFormMain::KeepHighScore() {
  if (Score > HighScore) HighScore = Score;
}

void TFormMain::TitleFrame(bool Step, bool Draw) {
  if (Step) StepTitleCount();
  ResetLights();
  Wireframe = 0;
  if (Step) StepLogoSpin();
  if (Draw) DrawTitle();
  if (Step) PollInput();
}

void TFormMain::DrawTitle() {
  SwitchOnLight();
  glDepthMask(GL_TRUE);

  SetPerspective(2200);
  glViewport(0, 0, ViewWidth, ViewHeight);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();

  // The title text never writes depth, so the logo tumbles through it. It is
  // the same picture on every frame of a title, and its many thin triangles
  // cost a software rasteriser more than all the rest: drawn once and kept.
  if (TitleText.Holds(ViewWidth, ViewHeight)) {
    TitleText.Draw(ViewWidth, ViewHeight);
  } else {
    glDepthMask(GL_FALSE);
    glPushMatrix();
    glTranslatef(0, 0, -50);
    DrawModel(GameTextModel, false);
    glPopMatrix();
    const GLubyte black[3] = {0, 0, 0};  // the clear colour above
    TitleText.Capture(ViewWidth, ViewHeight, black);
  }

  glDepthMask(GL_TRUE);
  glPushMatrix();
  glTranslatef(0, 100, -150);
  glRotatef(LogoSpin.x, 1, 0, 0);
  glRotatef(LogoSpin.y, 0, 1, 0);
  glRotatef(LogoSpin.z, 0, 0, 1);
  DrawModel(LogoModel, false);
  glPopMatrix();
}

void TFormMain::PlayFrame(bool Step, bool Draw) {
  if (Draw) {
    SetOrtho();
    glViewport(0, 0, ViewWidth, ViewHeight);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glDepthMask(GL_FALSE);
  }
  ApplyColourScheme(Draw);

  const int32_t hitsBefore = Hits();
  if (Step && GameOverTimer == 0) {
    PollInput();
    UpdateWorld();
  }
  const bool hit = Hits() != hitsBefore;
  if (Step && hit) HitTintFrames = 10;
  if (Draw && !ReduceFlashing && (hit || GameOverFlashes())) HitFlash();
  if (Draw && ReduceFlashing && GameOverTimer > 0) {
    // A steady dark red under the game over's words instead of the flashes.
    const TVec3 darkRed = MakeVector(0.35f, 0, 0), redLight = MakeVector(0.55f, 0.12f, 0.12f);
    DrawBackdrop(darkRed, darkRed, darkRed, darkRed);
    SetLightColours(redLight, redLight);
  }

  if (Draw) {
    glDepthMask(GL_TRUE);
    SetPerspective(2200);
    glViewport(0, 0, ViewWidth, ViewHeight);
    glClearColor(0, 0, 0, 0);
    glClear(GL_DEPTH_BUFFER_BIT);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(FlatShading ? GL_FLAT : GL_SMOOTH);

    // First-person camera: the eye rides 40 above the floor whatever the player's height.
    glLoadIdentity();
    glRotatef(Player->Rotation.x, 1, 0, 0);
    glRotatef(Player->Rotation.y + 90, 0, 1, 0);
    glRotatef(Player->Rotation.z, 0, 0, 1);
    glTranslatef(-Player->Position.x, -40, -Player->Position.z);
  }

  WorldPass(Step, Draw);
  if (Step) KeepHighScore();  // the overlay shows it
  if (Draw && ReduceFlashing && HitTintFrames > 0) DrawHitTint();
  if (Step && HitTintFrames > 0) HitTintFrames -= 1;
  if (Draw) DrawOverlay();
  if (Step) StepRadarSweep();  // after the ring was drawn with this frame's highlight
}
