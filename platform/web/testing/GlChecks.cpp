// Checks of our OpenGL subset on the browser's real WebGL 2, for the page's
// tests: display lists, the matrices read back for culling, depth writes,
// wide lines and the error flag, as the game and its model library use them,
// then the state the subset keeps for itself (AttributeChecks.cpp) and the
// pause screen's calls (PauseScreenChecks.cpp).
#include <emscripten.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>
#include <string>

#include "GlChecks.h"
#include "WebContext.h"

uint32_t PixelAt(int X, int Y) {
  uint8_t P[4] = {};
  glReadPixels(X, Y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, P);
  return uint32_t(P[0]) << 16 | uint32_t(P[1]) << 8 | P[2];
}

namespace {

constexpr int Size = 64;

void Clear() {
  glClearColor(0, 0, 0, 1);
  glDepthMask(GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A square over the whole view at depth Z (in normalised device units), in Colour.
void Square(float Z, float R, float G, float B) {
  glColor3f(R, G, B);
  glBegin(GL_QUADS);
  glVertex3f(-1, -1, Z);
  glVertex3f(1, -1, Z);
  glVertex3f(1, 1, Z);
  glVertex3f(-1, 1, Z);
  glEnd();
}

std::string Run() {
  glViewport(0, 0, Size, Size);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);

  // A compiled list draws nothing and changes nothing until it is called.
  const GLuint List = glGenLists(2);
  if (List == 0 || !glIsList(List) || !glIsList(List + 1)) return "glGenLists made no lists";
  glColor3f(1, 1, 1);
  glNewList(List, GL_COMPILE);
  Square(0, 1, 0, 0);
  glEndList();
  glNewList(List + 1, GL_COMPILE);
  glTranslatef(1, 2, 3);
  glEndList();
  Clear();
  float Colour[4];
  glGetFloatv(GL_CURRENT_COLOR, Colour);
  glFinish();
  if (PixelAt(Size / 2, Size / 2) != 0 || Colour[0] != 1 || Colour[1] != 1) return "glNewList(GL_COMPILE) ran its calls";
  glCallList(List);
  if (PixelAt(Size / 2, Size / 2) != 0xff0000) return "glCallList did not draw the list";
  glGetFloatv(GL_CURRENT_COLOR, Colour);
  if (Colour[0] != 1 || Colour[1] != 0) return "glCallList left the wrong current colour";
  glCallList(List + 1);
  float M[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, M);
  if (M[12] != 1 || M[13] != 2 || M[14] != 3) return "a called glTranslatef did not reach the model-view matrix";
  glDeleteLists(List, 2);
  if (glIsList(List)) return "glDeleteLists left the list";
  glLoadIdentity();

  // The projection as set, read back for culling.
  glMatrixMode(GL_PROJECTION);
  glFrustum(-1, 1, -1, 1, 1, 2200);
  glGetFloatv(GL_PROJECTION_MATRIX, M);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  if (M[0] != 1 || M[11] != -1 || std::fabs(M[10] + 2201.0f / 2199.0f) > 1e-6f) return "GL_PROJECTION_MATRIX is not the frustum";

  // With depth writes off a near square leaves a far one visible.
  Clear();
  glDepthMask(GL_FALSE);
  Square(-0.5f, 0, 1, 0);
  glDepthMask(GL_TRUE);
  Square(0.5f, 0, 0, 1);
  if (PixelAt(Size / 2, Size / 2) != 0x0000ff) return "glDepthMask(GL_FALSE) still wrote depth";

  // A line 3 pixels wide across the middle: 3 rows, none beside them.
  Clear();
  glLineWidth(3);
  glColor3f(1, 1, 0);
  glBegin(GL_LINES);
  glVertex2f(-1, 0.0f);
  glVertex2f(1, 0.0f);
  glEnd();
  glLineWidth(1);
  int Rows = 0;
  for (int y = 0; y < Size; ++y) Rows += PixelAt(Size / 2, y) == 0xffff00;
  if (Rows != 3) return "a line of width 3 covers " + std::to_string(Rows) + " rows";

  // Errors: the first one waits for glGetError, and is named.
  glEnd();
  glEnable(0x1234);
  if (glGetError() != GL_INVALID_OPERATION || glGetError() != GL_NO_ERROR) return "glEnd outside glBegin did not set GL_INVALID_OPERATION";
  const GLubyte* Text = gluErrorString(GL_INVALID_ENUM);
  if (!Text || std::strcmp(reinterpret_cast<const char*>(Text), "invalid enumerant") != 0) return "gluErrorString";
  return "";
}

}  // namespace

// "" when every check passes, else what failed.
extern "C" EMSCRIPTEN_KEEPALIVE const char* SkyrendGlChecks() {
  static std::string Result;
  if (!CreatePageContext(Size, Size)) return "no WebGL 2 context";
  Result = Run();
  if (Result.empty()) Result = AttributeChecks(Size);
  if (Result.empty()) Result = PauseScreenChecks(Size);
  return Result.c_str();
}
