// The pause screen on our GL subset and the browser's WebGL 2: the texture
// matrix, the text in the real font, then the kept picture coming back under the dark band and its
// sign, with the game's state as it was before (the attribute stack, the
// read buffer, the replace environment and the copied texture).
#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "GlChecks.h"
#include "PauseScreen.h"
#include "TextDraw.h"

namespace {

bool Near(uint32_t Pixel, uint32_t Expected, int Tolerance = 4) {
  for (int Shift = 0; Shift <= 16; Shift += 8)
    if (std::abs(int((Pixel >> Shift) & 255) - int((Expected >> Shift) & 255)) > Tolerance) return false;
  return true;
}

// A band from X0 to X1 (clip units) over the whole height.
void Band(float X0, float X1, float R, float G, float B) {
  glColor3f(R, G, B);
  glBegin(GL_QUADS);
  glVertex2f(X0, -1);
  glVertex2f(X1, -1);
  glVertex2f(X1, 1);
  glVertex2f(X0, 1);
  glEnd();
}

// Two texels, red then green, sampled without filtering.
GLuint RedGreenTexture() {
  const unsigned char Texels[6] = {255, 0, 0, 0, 255, 0};
  GLuint Name = 0;
  glGenTextures(1, &Name);
  glBindTexture(GL_TEXTURE_2D, Name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, Texels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return Name;
}

void TexturedSquare() {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, -1);
  glTexCoord2f(1, 0);
  glVertex2f(1, -1);
  glTexCoord2f(1, 1);
  glVertex2f(1, 1);
  glTexCoord2f(0, 1);
  glVertex2f(-1, 1);
  glEnd();
}

std::string TextureMatrixChecks(int Size) {
  const GLuint Texture = RedGreenTexture();
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glTranslatef(0.5f, 0, 0);
  glMatrixMode(GL_MODELVIEW);
  TexturedSquare();
  const uint32_t Moved = PixelAt(Size / 8, Size / 2);
  glMatrixMode(GL_TEXTURE);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  TexturedSquare();
  const uint32_t Back = PixelAt(Size / 8, Size / 2);
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(1, &Texture);
  if (!Near(Moved, 0x00ff00)) return "the texture matrix did not move the texture coordinates";
  if (!Near(Back, 0xff0000)) return "glPopMatrix on the texture stack did not put the identity back";
  return "";
}

// The real font on the subset: luminance-alpha texels take the colour, the
// alpha test cuts the outline, and a dark rim goes round the letters.
std::string TextChecks(int Size) {
  TTextDraw Text;
  if (!Text.Load("/skyrend")) return "the font atlas could not be read from /skyrend";
  glViewport(0, 0, Size, Size);
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  Text.Begin(Size, Size);
  Text.Text("HH", float(Size) / 2, float(Size) / 4, float(Size) / 2, TAlign::Centre, TTextColour{1, 1, 1});
  Text.End();
  std::vector<unsigned char> Shown(size_t(Size) * size_t(Size) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Size, Size, GL_RGBA, GL_UNSIGNED_BYTE, Shown.data());
  int White = 0, Black = 0;
  for (size_t i = 0; i < Shown.size(); i += 4) {
    White += Shown[i] > 240 && Shown[i + 1] > 240 && Shown[i + 2] > 240;
    Black += Shown[i] < 20 && Shown[i + 1] < 20 && Shown[i + 2] < 20;
  }
  Text.Release();
  if (White < Size * Size / 50) return "the font's letters are not drawn in their colour";
  if (Black == 0) return "the font's letters have no dark rim";
  if (glIsEnabled(GL_ALPHA_TEST) || glIsEnabled(GL_TEXTURE_2D)) return "the text left the alpha test or texturing on";
  if (glGetError() != GL_NO_ERROR) return "the text's calls set a GL error";
  return "";
}

}  // namespace

std::string PauseScreenChecks(int Size) {
  std::string Failed = TextureMatrixChecks(Size);
  if (Failed.empty()) Failed = TextChecks(Size);
  if (!Failed.empty()) return Failed;

  // The picture to keep: red on the left, green on the right.
  glViewport(0, 0, Size, Size);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Band(-1, 0, 1, 0, 0);
  Band(0, 1, 0, 1, 0);
  // The game's state around the pause screen, which it must leave as it found it.
  const GLuint GameTexture = RedGreenTexture();
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glViewport(0, 0, Size / 2, Size / 2);
  glClearColor(0, 0, 1, 1);
  glReadBuffer(GL_FRONT);

  TPauseScreen Screen;
  Screen.Capture(GL_BACK, Size, Size);
  glClear(GL_COLOR_BUFFER_BIT);  // another picture in the buffer: the kept one must come back
  Screen.Draw(Size, Size);
  const uint32_t Left = PixelAt(2, 2), Right = PixelAt(Size - 3, 2), Shaded = PixelAt(2, Size / 2);
  std::vector<unsigned char> Middle(size_t(Size) * size_t(Size / 3) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, Size / 3, Size, Size / 3, GL_RGBA, GL_UNSIGNED_BYTE, Middle.data());
  int Lettering = 0;
  for (size_t i = 0; i < Middle.size(); i += 4) Lettering += Middle[i] > 200 && Middle[i + 1] > 150 && Middle[i + 2] < 120;
  Screen.Release();
  if (!Near(Left, 0xff0000) || !Near(Right, 0x00ff00)) return "the pause screen does not show the kept picture";
  if (!Near(Shaded, 0x590000, 12)) return "the pause screen's band does not darken the picture";
  if (Lettering == 0) return "the pause screen shows no yellow lettering";

  GLint Mode = 0, Viewport[4] = {}, Bound = 0, ReadBuffer = 0, Depths[2] = {};
  GLfloat Clear[4] = {};
  GLboolean DepthWrites = GL_FALSE;
  glGetIntegerv(GL_MATRIX_MODE, &Mode);
  glGetIntegerv(GL_VIEWPORT, Viewport);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &Bound);
  glGetIntegerv(GL_READ_BUFFER, &ReadBuffer);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &Depths[0]);
  glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &Depths[1]);
  glGetFloatv(GL_COLOR_CLEAR_VALUE, Clear);
  glGetBooleanv(GL_DEPTH_WRITEMASK, &DepthWrites);
  if (glGetError() != GL_NO_ERROR) return "the pause screen's calls set a GL error";
  if (Mode != GL_PROJECTION || Viewport[2] != Size / 2 || Clear[2] != 1 || !DepthWrites)
    return "glPopAttrib did not put back the matrix mode, viewport, clear colour or depth writes";
  if (GLuint(Bound) != GameTexture || ReadBuffer != GL_FRONT) return "glPopAttrib did not put back the texture or read buffer";
  if (!glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_BLEND))
    return "glPopAttrib did not put back the enables";
  if (Depths[0] != 0 || Depths[1] != 1) return "the pause screen left the attribute or texture stack deeper";

  // The environment is modulate again: a cyan red texel is black (replace would show red).
  glMatrixMode(GL_MODELVIEW);
  glViewport(0, 0, Size, Size);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glColor3f(0, 1, 1);
  TexturedSquare();
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(1, &GameTexture);
  if (!Near(PixelAt(Size / 8, Size / 2), 0x000000)) return "glPopAttrib did not put the modulate environment back";
  glPopAttrib();
  if (glGetError() != GL_STACK_UNDERFLOW) return "glPopAttrib on an empty stack did not set GL_STACK_UNDERFLOW";
  return "";
}
