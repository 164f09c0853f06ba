// What the window shows while the game is paused: the last picture the game
// drew, kept in a texture, with a "PAUSED" sign over it (or, with DrawPicture,
// under the host's own text). Needs the GL context current for every call;
// drawing leaves the game's GL state as it found it.
#pragma once
#include <GL/gl.h>

#include <memory>

class TScreenCopy;

class TPauseScreen {
 public:
  TPauseScreen();
  ~TPauseScreen();
  TPauseScreen(const TPauseScreen&) = delete;
  TPauseScreen& operator=(const TPauseScreen&) = delete;

  // Keeps the Width x Height picture of the given colour buffer (GL_FRONT for
  // the picture on show, GL_BACK before a swap).
  void Capture(GLenum ReadBuffer, int Width, int Height);
  // The kept picture stretched over the Width x Height view (it may have been
  // resized since), a dark band across the middle, "PAUSED" in large letters
  // and "PRESS P TO PLAY" under it.
  void Draw(int Width, int Height) const;
  // The kept picture alone, stretched over the view, for text of the host's own.
  void DrawPicture(int Width, int Height) const;
  // Frees the texture; call before the context goes.
  void Release();

 private:
  std::unique_ptr<TScreenCopy> picture_;
};
