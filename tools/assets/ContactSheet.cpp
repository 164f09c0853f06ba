// skyrend-contact-sheet: loads the sixteen generated models through the
// game's own reader and renders each, lit, into one cell of a PNG grid.
//   skyrend-contact-sheet <output.png> [program folder]
// The first cell shows the title as the game composes it: the text at 50 in
// front of the eye without depth writes, and the emblem at (0, 100, -150).
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "HeadlessContext.h"
#include "MerivexLib3D.h"
#include "Models.h"

namespace {

constexpr int kColumns = 4, kRows = 4, kCellWidth = 320, kCellHeight = 240;

class TStderrMessages : public IMessageSink {
 public:
  void ShowMessage(const std::string& Text) override { std::fprintf(stderr, "%s\n", Text.c_str()); }
};

struct TView {
  float Yaw, Pitch;  // degrees: turn about y, then tilt down towards the model
};

// A viewing angle per model: the aliens and shots face the viewer in the
// game, so they are seen nearly head-on; flat floor pieces from above.
TView ViewFor(const std::string& Name) {
  if (Name == "Alien1Shadow.txt" || Name == "RedDiamondShadow.txt" || Name == "FloorTile.txt" ||
      Name == "Teleport.txt")
    return {20, 55};
  if (Name.rfind("Alien", 0) == 0 || Name == "EvilEye.txt" || Name == "StarBullet.txt" ||
      Name == "AlienBullet.txt")
    return {15, 8};
  if (Name == "Rocket.txt") return {-55, 18};
  return {30, 20};
}

void SetUpLight() {
  // The game's light: white, from up and to the left; set in eye space.
  const GLfloat position[] = {-250, 250, 0, 1}, ambient[] = {0.4f, 0.4f, 0.4f, 1}, white[] = {1, 1, 1, 1};
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, white);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
}

void ClearCell(int Column, int Row, float Shade) {
  const int x = Column * kCellWidth, y = (kRows - 1 - Row) * kCellHeight;
  glViewport(x, y, kCellWidth, kCellHeight);
  glScissor(x + 1, y + 1, kCellWidth - 2, kCellHeight - 2);
  glEnable(GL_SCISSOR_TEST);
  glClearColor(0.16f * Shade, 0.18f * Shade, 0.24f * Shade, 1);
  glDepthMask(GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The title as the game draws it: its frustum, its light, the text without
// depth writes, then the emblem part-way through its tumble.
void DrawTitleCell(TMS3DObj& Text, TMS3DObj& Logo) {
  ClearCell(0, 0, 0.3f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 2200);
  SetUpLight();
  glDepthMask(GL_FALSE);
  glPushMatrix();
  glTranslatef(0, 0, -50);
  Text.Draw(false);
  glPopMatrix();
  glDepthMask(GL_TRUE);
  glPushMatrix();
  glTranslatef(0, 100, -150);
  glRotatef(25, 1, 0, 0);
  glRotatef(50, 0, 1, 0);
  Logo.Draw(false);
  glPopMatrix();
}

void DrawModelCell(int Index, const std::string& Name, TMS3DObj& Model) {
  ClearCell(Index % kColumns, Index / kColumns, (Index + Index / kColumns) % 2 == 0 ? 1.0f : 1.25f);
  const float cx = (Model.MinX + Model.MaxX) / 2, cy = (Model.MinY + Model.MaxY) / 2, cz = (Model.MinZ + Model.MaxZ) / 2;
  const float radius = 0.5f * std::sqrt((Model.MaxX - Model.MinX) * (Model.MaxX - Model.MinX) +
                                        (Model.MaxY - Model.MinY) * (Model.MaxY - Model.MinY) +
                                        (Model.MaxZ - Model.MinZ) * (Model.MaxZ - Model.MinZ));
  const float halfHeight = 0.32f, distance = std::max(radius, 1.0f) / halfHeight * 1.05f;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-halfHeight * 4 / 3, halfHeight * 4 / 3, -halfHeight, halfHeight, 1, distance * 3);
  SetUpLight();
  const TView view = ViewFor(Name);
  glTranslatef(0, 0, -distance);
  glRotatef(view.Pitch, 1, 0, 0);
  glRotatef(view.Yaw, 0, 1, 0);
  glTranslatef(-cx, -cy, -cz);
  if (Name == "WhiteDiamond.txt") {
    // As a fragment: the game writes the fragment colour into the first material.
    TMaterial& m = Model.Materials[0];
    const float ambient[4] = {0.1f, 0.9f, 0.2f, 0}, diffuse[4] = {1, 1, 1, 1};
    std::copy(ambient, ambient + 4, m.Ambient);
    std::copy(diffuse, diffuse + 4, m.Diffuse);
  }
  Model.Draw(false);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: skyrend-contact-sheet <output.png> [program folder]\n");
    return 2;
  }
  const std::string folder = argc == 3 ? argv[2] : SKYREND_PROGRAM_DIR;
  try {
    THeadlessContext context(kColumns * kCellWidth, kRows * kCellHeight);
    // The game's start-up state for drawing models.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    TStderrMessages messages;
    std::vector<std::unique_ptr<TMS3DObj>> models;
    std::vector<std::string> names;
    for (const TNamedModel& m : BuildModels()) {
      models.push_back(std::make_unique<TMS3DObj>());
      names.push_back(m.FileName);
      models.back()->LoadFromFile(m.FileName, folder, messages);
    }
    // Cell 0 is the title; the GameText cell itself is left to it, so the
    // other fifteen models fill the remaining cells in load order.
    DrawTitleCell(*models[0], *models[1]);
    for (size_t i = 1; i < models.size(); ++i) DrawModelCell(int(i), names[i], *models[i]);
    glDisable(GL_SCISSOR_TEST);
    context.Swap();
    if (!context.WritePng(argv[1])) {
      std::fprintf(stderr, "skyrend-contact-sheet: cannot write %s\n", argv[1]);
      return 1;
    }
  } catch (const ELoadError& e) {
    std::fprintf(stderr, "%s\n", LoadFailureMessage(e.FileName, e.what()).c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-contact-sheet: %s\n", e.what());
    return 1;
  }
  return 0;
}
