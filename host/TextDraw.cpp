#include "TextDraw.h"

#include "PixelView.h"

#include <algorithm>
#include <cstdio>
#include <vector>

bool TTextDraw::Load(const std::string& Folder) {
  if (texture_) return true;
  if (failed_) return false;
  std::string Error;
  int W = 0, H = 0;
  std::vector<uint8_t> Field;
  const bool Ok = ReadFontFiles(Folder, metrics_, W, H, Field, Error);
  if (!Ok) {
    failed_ = true;
    std::fprintf(stderr, "skyrend: %s; the screens show no text\n", Error.c_str());
    return false;
  }
  // Luminance 1 with the distance as alpha: modulated by the colour, the
  // letters take the colour and the alpha test cuts the outline.
  std::vector<uint8_t> Texels(size_t(W) * size_t(H) * 2);
  for (size_t i = 0; i < Field.size(); ++i) {
    Texels[2 * i] = 255;
    Texels[2 * i + 1] = Field[i];
  }
  glPushAttrib(GL_TEXTURE_BIT);
  glGenTextures(1, &texture_);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, W, H, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, Texels.data());
  glPopAttrib();
  return true;
}

void TTextDraw::Begin(int Width, int Height) {
  BeginPixelView(Width, Height);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
}

void TTextDraw::End() { EndPixelView(); }

void TTextDraw::Glyphs(const char* Text, float X, float Y, float Scale) {
  const float AW = float(metrics_.AtlasWidth), AH = float(metrics_.AtlasHeight);
  float Pen = X;
  glBegin(GL_QUADS);
  for (size_t i = 0; Text[i]; ++i) {
    const TFontGlyph& G = metrics_.Glyph(Text[i]);
    if (G.W > 0 && G.H > 0) {
      const float Left = Pen + float(G.XOff) * Scale, Top = Y - float(G.YOff) * Scale;
      const float Right = Left + float(G.W) * Scale, Bottom = Top - float(G.H) * Scale;
      const float U0 = float(G.X) / AW, V0 = float(G.Y) / AH;
      const float U1 = float(G.X + G.W) / AW, V1 = float(G.Y + G.H) / AH;
      glTexCoord2f(U0, V1);
      glVertex2f(Left, Bottom);
      glTexCoord2f(U1, V1);
      glVertex2f(Right, Bottom);
      glTexCoord2f(U1, V0);
      glVertex2f(Right, Top);
      glTexCoord2f(U0, V0);
      glVertex2f(Left, Top);
    }
    Pen += G.Advance * Scale;
    if (Text[i + 1]) Pen += metrics_.Kern(Text[i], Text[i + 1]) * Scale;
  }
  glEnd();
}

void TTextDraw::Text(const char* Text, float X, float Y, float Height, TAlign Align, TTextColour Colour, bool Bold) {
  if (!texture_ || Height <= 0) return;
  const float Scale = Height / metrics_.Size;
  if (Align != TAlign::Left) X -= Width(Text, Height) / (Align == TAlign::Centre ? 2 : 1);
  // Whole pixels keep the letters' stems the same from line to line.
  X = float(int(X + 0.5f));
  Y = float(int(Y + 0.5f));
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_ALPHA_TEST);
  // A distance of d atlas pixels outside the outline reads 0.5 - d / (2 Spread).
  const float PerScreenPixel = 1.0f / (2.0f * float(metrics_.Spread) * Scale);
  const float Edge = Bold ? 0.5f - 0.6f * PerScreenPixel * std::max(1.0f, Height / 24) : 0.5f;
  const float Rim = std::max(0.04f, Edge - PerScreenPixel * std::max(1.5f, Height / 16));
  glColor4f(0, 0, 0, 1);
  glAlphaFunc(GL_GEQUAL, Rim);
  Glyphs(Text, X, Y, Scale);
  glColor4f(Colour.R, Colour.G, Colour.B, 1);
  glAlphaFunc(GL_GEQUAL, std::max(0.05f, Edge));
  Glyphs(Text, X, Y, Scale);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
}

void TTextDraw::Panel(float X0, float Y0, float X1, float Y1, TTextColour Colour, float Alpha) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(Colour.R, Colour.G, Colour.B, Alpha);
  glBegin(GL_QUADS);
  glVertex2f(X0, Y0);
  glVertex2f(X1, Y0);
  glVertex2f(X1, Y1);
  glVertex2f(X0, Y1);
  glEnd();
  glDisable(GL_BLEND);
}

void TTextDraw::Release() {
  if (texture_) glDeleteTextures(1, &texture_);
  texture_ = 0;
}
