// Text on screen from the font atlas: each glyph a textured quad whose
// distance field is cut at its outline by the alpha test, so the letters stay
// sharp at any size in fixed-function GL (the desktop's GL and the page's
// subset alike). A dark rim under the letters keeps them readable over any
// picture. Needs the GL context current for every call but Load's reading.
#pragma once
#include <GL/gl.h>

#include <string>

#include "FontMetrics.h"

enum class TAlign { Left, Centre, Right };

struct TTextColour {
  float R = 1, G = 1, B = 1;
};

class TTextDraw {
 public:
  TTextDraw() = default;
  TTextDraw(const TTextDraw&) = delete;
  TTextDraw& operator=(const TTextDraw&) = delete;

  // Reads "Font.metrics" and "Font.pgm" from Folder and makes the texture.
  // False, with the reason on stderr once, when they cannot be read: the
  // screens then show no text, and the game goes on.
  bool Load(const std::string& Folder);
  bool Ready() const { return texture_ != 0; }
  const TFontMetrics& Metrics() const { return metrics_; }

  // A projection of pixels over the Width x Height view (y up), every GL
  // state the game set saved; End puts it all back.
  void Begin(int Width, int Height);
  void End();
  // Text on the baseline Y, Height pixels from ascent to descent; Bold
  // thickens the letters.
  void Text(const char* Text, float X, float Y, float Height, TAlign Align, TTextColour Colour,
            bool Bold = false);
  // A rectangle in Colour blended at Alpha (a band behind text).
  void Panel(float X0, float Y0, float X1, float Y1, TTextColour Colour, float Alpha);
  float Width(const char* Text, float Height) const { return metrics_.TextWidth(Text, Height); }

  // Frees the texture; call before the context goes.
  void Release();

 private:
  void Glyphs(const char* Text, float X, float Y, float Scale);

  TFontMetrics metrics_;
  GLuint texture_ = 0;
  bool failed_ = false;  // reading failed once: said once, not tried again
};
