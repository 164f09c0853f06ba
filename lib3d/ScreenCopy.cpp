#include "ScreenCopy.h"

#include <algorithm>
#include <cstring>

#include "PixelView.h"

namespace {

constexpr int CellSize = 16;

// The view's rectangle X0..X1, Y0..Y1 showing the texture's S0..S1, T0..T1.
void TexturedRectangle(float X0, float Y0, float X1, float Y1, float S0, float T0, float S1, float T1) {
  glTexCoord2f(S0, T0);
  glVertex2f(X0, Y0);
  glTexCoord2f(S1, T0);
  glVertex2f(X1, Y0);
  glTexCoord2f(S1, T1);
  glVertex2f(X1, Y1);
  glTexCoord2f(S0, T1);
  glVertex2f(X0, Y1);
}

}  // namespace

void TScreenCopy::Capture(int Width, int Height, const GLubyte* Cleared) {
  width_ = std::max(Width, 1);
  height_ = std::max(Height, 1);
  glPushAttrib(GL_TEXTURE_BIT);
  if (!texture_) glGenTextures(1, &texture_);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 0, 0, width_, height_, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glPopAttrib();
  kept_ = true;
  sparse_ = Cleared != nullptr;
  cells_.clear();
  if (sparse_) FindDrawnCells(Cleared);
}

void TScreenCopy::FindDrawnCells(const GLubyte* Cleared) {
  std::vector<GLubyte> pixels(size_t(width_) * size_t(height_) * 4);
  // Rows of RGBA bytes meet any pack alignment.
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  std::vector<bool> drawn(size_t((width_ + CellSize - 1) / CellSize));
  for (int y0 = 0; y0 < height_; y0 += CellSize) {
    const int y1 = std::min(y0 + CellSize, height_);
    std::fill(drawn.begin(), drawn.end(), false);
    for (int y = y0; y < y1; ++y)
      for (int x = 0; x < width_; ++x)
        if (std::memcmp(&pixels[(size_t(y) * size_t(width_) + size_t(x)) * 4], Cleared, 3) != 0)
          drawn[size_t(x / CellSize)] = true;
    // Neighbouring drawn cells go as one rectangle.
    for (size_t c = 0; c < drawn.size();) {
      if (!drawn[c]) {
        ++c;
        continue;
      }
      const size_t first = c;
      while (c < drawn.size() && drawn[c]) ++c;
      cells_.push_back({int(first) * CellSize, y0, std::min(int(c) * CellSize, width_), y1});
    }
  }
}

void TScreenCopy::Draw(int Width, int Height) const {
  BeginPixelView(Width, Height);
  if (!sparse_ || !kept_) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (texture_ && kept_) {
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    // Nearest at the size it was taken: every pixel lands on its own texel.
    const bool same = width_ == Width && height_ == Height;
    const GLint filter = same ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    if (sparse_ && same) {
      const float w = float(width_), h = float(height_);
      for (const TCells& c : cells_)
        TexturedRectangle(float(c.X0), float(c.Y0), float(c.X1), float(c.Y1), float(c.X0) / w, float(c.Y0) / h,
                          float(c.X1) / w, float(c.Y1) / h);
    } else {
      TexturedRectangle(0, 0, float(Width), float(Height), 0, 0, 1, 1);
    }
    glEnd();
  }
  EndPixelView();
}

void TScreenCopy::Release() {
  if (texture_) glDeleteTextures(1, &texture_);
  texture_ = 0;
  kept_ = false;
}
