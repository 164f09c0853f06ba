#include "Picture.h"

#include <GL/gl.h>

#include <algorithm>
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

// sRGB channel to linear light.
float Linear(float C) { return C <= 0.04045f ? C / 12.92f : std::pow((C + 0.055f) / 1.055f, 2.4f); }

float Luminance(const TVec3& C) { return 0.2126f * Linear(C.x) + 0.7152f * Linear(C.y) + 0.0722f * Linear(C.z); }

const TVec3 CrossHairColour = {0.1f, 0.1f, 0.1f};
const TVec3 DigitColour = {1, 1, 0};

// Draws a part of the overlay with Draw(), first shifted one pixel each way
// in the outline colour when its own colour stands too close to the sky's.
template <typename Draw>
void Outlined(bool Needed, const TVec3& Outline, float PixelX, float PixelY, Draw Part) {
  if (!Needed) return;
  glColor3f(Outline.x, Outline.y, Outline.z);
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) {
      if (dx == 0 && dy == 0) continue;
      glPushMatrix();
      glTranslatef(float(dx) * PixelX, float(dy) * PixelY, 0);
      Part();
      glPopMatrix();
    }
}

}  // namespace

float ContrastRatio(const TVec3& A, const TVec3& B) {
  const float La = Luminance(A), Lb = Luminance(B);
  return (std::max(La, Lb) + 0.05f) / (std::min(La, Lb) + 0.05f);
}

bool OverlayOutline(const TVec3& Colour, const TVec3& BehindA, const TVec3& BehindB, TVec3& Outline) {
  if (std::min(ContrastRatio(Colour, BehindA), ContrastRatio(Colour, BehindB)) >= 3.0f) return false;
  const TVec3 Black = {0, 0, 0}, White = {1, 1, 1};
  const float AgainstBlack = ContrastRatio(Colour, Black), AgainstWhite = ContrastRatio(Colour, White);
  Outline = AgainstBlack >= AgainstWhite ? Black : White;
  return true;
}

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

void TPicture::DrawDigit(int Digit, float X, float Y) {
  if (Digit < 0 || Digit > 9) return;
  const TGlyph& g = DigitGlyphs[Digit];
  glBegin(g.Loop ? GL_LINE_LOOP : GL_LINE_STRIP);
  for (int i = 0; i < g.Count; ++i) glVertex3f(X + CellSize * g.Points[i][0], Y + CellSize * g.Points[i][1], 0);
  glEnd();
}

void TPicture::DrawHudText(const char* Text, float X, float Y) {
  glColor3f(DigitColour.x, DigitColour.y, DigitColour.z);
  DrawHudDigits(Text, X, Y);
}

void TPicture::DrawHudDigits(const char* Text, float X, float Y) {
  glLineWidth(2);
  for (int i = 0; Text[i] != '\0'; ++i) {
    const char ch = Text[i];
    // Anything that is not a digit (a minus sign, say) shows as 0.
    DrawDigit(ch >= '0' && ch <= '9' ? ch - '0' : 0, X + GlyphStep * i, Y);
  }
}

void TPicture::SetOverlayViewport(int& OverlayWidth, int& OverlayHeight) {
  // Cells, digits and the ring keep their 4:3 proportions on any view.
  int X = 0, Y = 0, Width = viewWidth_, Height = viewHeight_;
  if (3 * Width > 4 * Height) {
    Width = 4 * Height / 3;
    X = (viewWidth_ - Width) / 2;
  } else if (3 * Width < 4 * Height) {
    Height = 3 * Width / 4;
    Y = (viewHeight_ - Height) / 2;
  }
  glViewport(X, Y, Width, Height);
  OverlayWidth = Width > 0 ? Width : 1;
  OverlayHeight = Height > 0 ? Height : 1;
}

void TPicture::DrawOverlay(const TWorldState& W) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, 1, -1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  int Width = 1, Height = 1;
  SetOverlayViewport(Width, Height);
  const float PixelX = 2.0f / float(Width), PixelY = 2.0f / float(Height);
  glDisable(GL_LIGHTING);
  glDepthMask(GL_TRUE);
  // Always seen: nothing of the world, however near the eye, covers the overlay.
  glDisable(GL_DEPTH_TEST);
  // Parts whose colour stands too close to the sky behind them get an outline.
  TVec3 Top{}, Upper{}, Lower{}, CrossOutline{}, DigitOutline{};
  const bool Sky = SchemeSky(W.ColourScheme, Top, Upper, Lower);
  const bool OutlineCross = Sky && OverlayOutline(CrossHairColour, Upper, Lower, CrossOutline);
  const bool OutlineDigits = Sky && OverlayOutline(DigitColour, Top, Top, DigitOutline);

  // Cross-hair.
  glLineWidth(2);
  const auto CrossHair = [] {
    glBegin(GL_LINES);
    glVertex3f(0, 0.02f, 0);
    glVertex3f(0, -0.02f, 0);
    glVertex3f(0.015f, 0, 0);
    glVertex3f(-0.015f, 0, 0);
    glEnd();
  };
  Outlined(OutlineCross, CrossOutline, PixelX, PixelY, CrossHair);
  glColor3f(CrossHairColour.x, CrossHairColour.y, CrossHairColour.z);
  CrossHair();
  glLineWidth(1);

  // Ring of 16 points; the highlight steps clockwise one point per 10 frames.
  // Ring and blips are blended, so RadarAlpha (N and B) fades them; the
  // highlighted point is drawn solid as before.
  glPointSize(2);
  const int highlighted = RoundHalfEven(W.RadarSweep);
  auto RingPoint = [](int i) {
    const float angle = 22.5f * i * float(M_PI) / 180.0f;
    glVertex3f(-RingRadius * std::sin(angle), RingRadius * std::cos(angle), 0);
  };
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, W.RadarAlpha);
  glBegin(GL_POINTS);
  for (int i = 0; i < 16; ++i)
    if (i != highlighted) RingPoint(i);
  glEnd();
  glDisable(GL_BLEND);
  glColor4f(1, 1, 0, W.RadarAlpha + 0.3f);
  glBegin(GL_POINTS);
  if (highlighted >= 0 && highlighted < 16) RingPoint(highlighted);
  glEnd();

  glEnable(GL_BLEND);
  glPointSize(4);
  glColor4f(0.3f, 0.3f, 0.3f, W.RadarAlpha);
  DrawBlips(*W.Aliens, *W.Player, [](const TBlob& a) { return a.Active && a.IsAlive(); });
  glPointSize(3);
  glColor4f(1, 0, 0, W.RadarAlpha);
  DrawBlips(*W.Rockets, *W.Player, [](const TBlob& r) { return r.Active && r.IsAlive(); });
  glColor4f(1, 0.5f, 0, W.RadarAlpha);
  DrawBlips(*W.AlienShots, *W.Player, [](const TBlob& s) { return s.Active != 0; });

  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  char score[16], lives[16], high[16];
  std::snprintf(score, sizeof score, "%8.8d", W.Score);
  std::snprintf(lives, sizeof lives, "%d", W.Hits() >= 3 ? 0 : 3 - W.Hits());
  std::snprintf(high, sizeof high, "%8.8d", W.HighScore);
  const auto Numbers = [&] {
    DrawHudDigits(score, -0.95f, 0.9f);
    DrawHudDigits(lives, 0.75f, 0.9f);
    DrawHudDigits(high, -0.2f, 0.95f);
  };
  Outlined(OutlineDigits, DigitOutline, PixelX, PixelY, Numbers);
  glColor3f(DigitColour.x, DigitColour.y, DigitColour.z);
  Numbers();

  glPointSize(1);
  glDisable(GL_BLEND);
  glDepthMask(GL_FALSE);
  glEnable(GL_DEPTH_TEST);
}
