#include "PauseScreen.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "PixelView.h"
#include "ScreenCopy.h"

namespace {

struct TStroke {
  float X0, Y0, X1, Y1;
};

// Block letters on a 4 x 6 grid (y up), as straight strokes.
int LetterStrokes(char C, const TStroke*& Strokes) {
  static const TStroke P[] = {{0, 0, 0, 6}, {0, 6, 4, 6}, {4, 6, 4, 3}, {4, 3, 0, 3}};
  static const TStroke A[] = {{0, 0, 0, 6}, {0, 6, 4, 6}, {4, 6, 4, 0}, {0, 3, 4, 3}};
  static const TStroke U[] = {{0, 6, 0, 0}, {0, 0, 4, 0}, {4, 0, 4, 6}};
  static const TStroke S[] = {{4, 6, 0, 6}, {0, 6, 0, 3}, {0, 3, 4, 3}, {4, 3, 4, 0}, {4, 0, 0, 0}};
  static const TStroke E[] = {{4, 6, 0, 6}, {0, 6, 0, 0}, {0, 0, 4, 0}, {0, 3, 3, 3}};
  static const TStroke D[] = {{0, 0, 0, 6}, {0, 6, 3, 6}, {3, 6, 4, 5}, {4, 5, 4, 1}, {4, 1, 3, 0}, {3, 0, 0, 0}};
  static const TStroke R[] = {{0, 0, 0, 6}, {0, 6, 4, 6}, {4, 6, 4, 3}, {4, 3, 0, 3}, {2, 3, 4, 0}};
  static const TStroke T[] = {{0, 6, 4, 6}, {2, 6, 2, 0}};
  static const TStroke O[] = {{0, 0, 0, 6}, {0, 6, 4, 6}, {4, 6, 4, 0}, {4, 0, 0, 0}};
  static const TStroke L[] = {{0, 6, 0, 0}, {0, 0, 4, 0}};
  static const TStroke Y[] = {{0, 6, 2, 3}, {4, 6, 2, 3}, {2, 3, 2, 0}};
  switch (C) {
#define SKYREND_LETTER(Ch, Array) \
  case Ch:                        \
    Strokes = Array;              \
    return int(sizeof Array / sizeof Array[0]);
    SKYREND_LETTER('P', P)
    SKYREND_LETTER('A', A)
    SKYREND_LETTER('U', U)
    SKYREND_LETTER('S', S)
    SKYREND_LETTER('E', E)
    SKYREND_LETTER('D', D)
    SKYREND_LETTER('R', R)
    SKYREND_LETTER('T', T)
    SKYREND_LETTER('O', O)
    SKYREND_LETTER('L', L)
    SKYREND_LETTER('Y', Y)
#undef SKYREND_LETTER
    default:
      return 0;
  }
}

// A stroke as a quad Width thick. Straight strokes go on by half the width
// at both ends so that they meet in square corners; slanted ones stop at
// their ends, where a square end would stick out.
void DrawStroke(const TStroke& S, float X, float Y, float Unit, float Width) {
  const float x0 = X + S.X0 * Unit, y0 = Y + S.Y0 * Unit, x1 = X + S.X1 * Unit, y1 = Y + S.Y1 * Unit;
  const float len = std::sqrt((x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0));
  if (len <= 0) return;
  const float dx = (x1 - x0) / len * Width / 2, dy = (y1 - y0) / len * Width / 2;
  const float cap = (S.X0 == S.X1 || S.Y0 == S.Y1) ? 1.0f : 0.0f;
  glVertex2f(x0 - cap * dx - dy, y0 - cap * dy + dx);
  glVertex2f(x0 - cap * dx + dy, y0 - cap * dy - dx);
  glVertex2f(x1 + cap * dx + dy, y1 + cap * dy - dx);
  glVertex2f(x1 + cap * dx - dy, y1 + cap * dy + dx);
}

// Text centred on (CentreX, BaseY), letters Height high.
void DrawText(const char* Text, float CentreX, float BaseY, float Height) {
  const float unit = Height / 6, advance = 6 * unit, width = std::max(1.0f, unit * 1.1f);
  const float left = CentreX - (float(std::strlen(Text)) * advance - 2 * unit) / 2;
  glBegin(GL_QUADS);
  for (int i = 0; Text[i]; ++i) {
    const TStroke* Strokes = nullptr;
    const int Count = LetterStrokes(Text[i], Strokes);
    for (int s = 0; s < Count; ++s) DrawStroke(Strokes[s], left + i * advance, BaseY, unit, width);
  }
  glEnd();
}

}  // namespace

TPauseScreen::TPauseScreen() : picture_(std::make_unique<TScreenCopy>()) {}

TPauseScreen::~TPauseScreen() = default;

void TPauseScreen::Capture(GLenum ReadBuffer, int Width, int Height) {
  glPushAttrib(GL_PIXEL_MODE_BIT);
  glReadBuffer(ReadBuffer);
  picture_->Capture(Width, Height);
  glPopAttrib();
}

void TPauseScreen::DrawPicture(int Width, int Height) const { picture_->Draw(Width, Height); }

void TPauseScreen::Draw(int Width, int Height) const {
  picture_->Draw(Width, Height);
  BeginPixelView(Width, Height);

  // The sign: sized by the height, narrowed to fit a tall, thin window.
  const float size = std::min(float(Height) * 0.14f, float(Width) / 7.5f);
  const float cx = float(Width) / 2, cy = float(Height) / 2;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0, 0, 0, 0.65f);
  glBegin(GL_QUADS);
  glVertex2f(0, cy - size * 1.1f);
  glVertex2f(float(Width), cy - size * 1.1f);
  glVertex2f(float(Width), cy + size * 1.3f);
  glVertex2f(0, cy + size * 1.3f);
  glEnd();
  glDisable(GL_BLEND);
  glColor4f(1, 0.85f, 0.2f, 1);
  DrawText("PAUSED", cx, cy - size * 0.1f, size);
  glColor4f(1, 1, 1, 1);
  DrawText("PRESS P TO PLAY", cx, cy - size * 0.8f, size * 0.3f);
  EndPixelView();
}

void TPauseScreen::Release() { picture_->Release(); }
