// A picture of the colour buffer kept in a texture and drawn back over the
// view: pixel for pixel at the size it was taken, stretched at any other.
// Needs the GL context current for every call.
#pragma once
#include <GL/gl.h>

#include <vector>

class TScreenCopy {
 public:
  TScreenCopy() = default;
  TScreenCopy(const TScreenCopy&) = delete;
  TScreenCopy& operator=(const TScreenCopy&) = delete;

  // Keeps the Width x Height picture of the colour buffer being read. Given
  // the RGB colour the buffer was cleared to, Draw later puts back only the
  // cells of the picture drawn over it: a textured pixel costs a software
  // rasteriser far more than a cleared one. Alpha is left out of the
  // comparison: a buffer without it reads as alpha 1 everywhere.
  void Capture(int Width, int Height, const GLubyte* Cleared = nullptr);
  // True when a picture of exactly this size is kept.
  bool Holds(int Width, int Height) const { return texture_ && kept_ && width_ == Width && height_ == Height; }
  // The kept picture over a Width x Height view: all of it, on black when
  // none is kept; or, when it was taken with a clear colour, only its drawn
  // cells, over the view the caller has cleared to that colour. The GL state
  // is left as it was found.
  void Draw(int Width, int Height) const;
  // The picture no longer counts; the texture stays for the next capture.
  void Forget() { kept_ = false; }
  // Frees the texture; call before the context goes, or after it was lost.
  void Release();

 private:
  struct TCells {
    int X0, Y0, X1, Y1;
  };
  void FindDrawnCells(const GLubyte* Cleared);

  GLuint texture_ = 0;
  bool kept_ = false, sparse_ = false;
  int width_ = 0, height_ = 0;
  std::vector<TCells> cells_;  // runs of drawn cells along each band of rows
};
