#include "frmMainGL.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr float CellSize = 0.03f;
constexpr float GlyphStep = 0.04f;
constexpr float RingRadius = 0.2f;
constexpr float RadarScale = 20800.0f;  // world units across the overlay's full width

struct TGlyph {
  bool Loop;
  int Count;
  float Points[7][2];
};

// The ten digits as polylines in cell units, (0, 0) bottom left, (1, 1) top right.
const TGlyph DigitGlyphs[10] = {
    {true, 6, {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 1}, {1, 0}}},
    {true, 4, {{1, 0}, {1, 1}, {0.8f, 0.9f}, {1, 1}}},
    {false, 6, {{0, 1}, {1, 1}, {1, 0.5f}, {0, 0.5f}, {0, 0}, {1, 0}}},
    {false, 7, {{0, 1}, {1, 1}, {1, 0.5f}, {0, 0.5f}, {1, 0.5f}, {1, 0}, {0, 0}}},
    {false, 5, {{0, 1}, {0, 0.5f}, {1, 0.5f}, {1, 1}, {1, 0}}},
    {false, 6, {{1, 1}, {0, 1}, {0, 0.5f}, {1, 0.5f}, {1, 0}, {0, 0}}},
    {false, 5, {{0, 1}, {0, 0}, {1, 0}, {1, 0.5f}, {0, 0.5f}}},
    {false, 3, {{0, 1}, {1, 1}, {0.5f, 0}}},
    {false, 7, {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}, {0, 0.5f}, {1, 0.5f}}},
    {false, 7, {{0, 0.5f}, {0, 1}, {1, 1}, {1, 0.5f}, {0, 0.5f}, {1, 0.5f}, {1, 0}}},
};

// Plots the objects of List that Shown accepts, as points on the radar.
template <typename Pred>
void DrawBlips(const TBlobList& List, const TBlob& Player, Pred Shown) {
  glBegin(GL_POINTS);
  for (const auto& o : List) {
    float x, y;
    if (Shown(*o) && RadarBlip(Player, o->Position, x, y)) glVertex3f(x, y, 0);
  }
  glEnd();
}

}  // namespace

bool RadarBlip(const TBlob& Player, const TVec3& Position, float& X, float& Y) {
  const float u = (Position.z - Player.Position.z) / RadarScale;
  const float v = (Position.x - Player.Position.x) / RadarScale;
  if (u * u + v * v > RingRadius * RingRadius) return false;
  // Turned counter-clockwise by the heading: what lies ahead shows straight up.
  const float heading = Player.Rotation.y * float(M_PI) / 180.0f;
  const float c = std::cos(heading), s = std::sin(heading);
  X = u * c - v * s;
  Y = u * s + v * c;
  return true;
}

void TFormMain::DrawDigit(int Digit, float X, float Y) {
  if (Digit < 0 || Digit > 9) return;
  const TGlyph& g = DigitGlyphs[Digit];
  glBegin(g.Loop ? GL_LINE_LOOP : GL_LINE_STRIP);
  for (int i = 0; i < g.Count; ++i) glVertex3f(X + CellSize * g.Points[i][0], Y + CellSize * g.Points[i][1], 0);
  glEnd();
}

void TFormMain::DrawHudText(const char* Text, float X, float Y) {
  glColor3f(1, 1, 0);
  glLineWidth(2);
  for (int i = 0; Text[i] != '\0'; ++i) {
    const char ch = Text[i];
    // Anything that is not a digit (a minus sign, say) shows as 0.
    DrawDigit(ch >= '0' && ch <= '9' ? ch - '0' : 0, X + GlyphStep * i, Y);
  }
}

void TFormMain::SetOverlayViewport() {
  // Cells, digits and the ring keep their 4:3 proportions on any view.
  int X = 0, Y = 0, Width = ViewWidth, Height = ViewHeight;
  if (3 * Width > 4 * Height) {
    Width = 4 * Height / 3;
    X = (ViewWidth - Width) / 2;
  } else if (3 * Width < 4 * Height) {
    Height = 3 * Width / 4;
    Y = (ViewHeight - Height) / 2;
  }
  glViewport(X, Y, Width, Height);
}

void TFormMain::DrawOverlay() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, 1, -1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  SetOverlayViewport();
  glDisable(GL_LIGHTING);
  glDepthMask(GL_TRUE);

  // Cross-hair.
  glLineWidth(2);
  glColor3f(0.1f, 0.1f, 0.1f);
  glBegin(GL_LINES);
  glVertex3f(0, 0.02f, 0);
  glVertex3f(0, -0.02f, 0);
  glVertex3f(0.015f, 0, 0);
  glVertex3f(-0.015f, 0, 0);
  glEnd();
  glLineWidth(1);

  // Ring of 16 points; the highlight steps clockwise one point per 10 frames.
  // Ring and blips are blended, so RadarAlpha (N and B) fades them; the
  // highlighted point is drawn solid as before.
  glPointSize(2);
  const int highlighted = RoundHalfEven(RadarSweep);
  auto RingPoint = [](int i) {
    const float angle = 22.5f * i * float(M_PI) / 180.0f;
    glVertex3f(-RingRadius * std::sin(angle), RingRadius * std::cos(angle), 0);
  };
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, RadarAlpha);
  glBegin(GL_POINTS);
  for (int i = 0; i < 16; ++i)
    if (i != highlighted) RingPoint(i);
  glEnd();
  glDisable(GL_BLEND);
  glColor4f(1, 1, 0, RadarAlpha + 0.3f);
  glBegin(GL_POINTS);
  if (highlighted >= 0 && highlighted < 16) RingPoint(highlighted);
  glEnd();

  glEnable(GL_BLEND);
  glPointSize(4);
  glColor4f(0.3f, 0.3f, 0.3f, RadarAlpha);
  DrawBlips(*Aliens, *Player, [](const TBlob& a) { return a.Active && a.IsAlive(); });
  glPointSize(3);
  glColor4f(1, 0, 0, RadarAlpha);
  DrawBlips(*Rockets, *Player, [](const TBlob& r) { return r.Active && r.IsAlive(); });
  glColor4f(1, 0.5f, 0, RadarAlpha);
  DrawBlips(*AlienShots, *Player, [](const TBlob& s) { return s.Active != 0; });

  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  char text[32];
  std::snprintf(text, sizeof text, "%8.8d", Score);
  DrawHudText(text, -0.95f, 0.9f);
  const int32_t lives = Hits() >= 3 ? 0 : 3 - Hits();
  std::snprintf(text, sizeof text, "%d", lives);
  DrawHudText(text, 0.75f, 0.9f);
  std::snprintf(text, sizeof text, "%8.8d", HighScore);
  DrawHudText(text, -0.2f, 0.95f);

  glPointSize(1);
  glDisable(GL_BLEND);
  glDepthMask(GL_FALSE);
}
