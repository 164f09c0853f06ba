// Counts the GL calls of the whole program: the benchmark defines the GL
// entry points the game and the host use, so the game's static libraries bind
// to these, and each one counts the call and passes it on to the real GL.
#include "GlCallCounter.h"

#include <GL/gl.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

long GlCalls = 0;

namespace {

void* Real(const char* Name) {
  void* Function = dlsym(RTLD_NEXT, Name);
  if (!Function) {
    std::fprintf(stderr, "skyrend-bench: no GL function %s\n", Name);
    std::abort();
  }
  return Function;
}

}  // namespace

#define COUNTED(Return, Name, Params, Args)                                   \
  extern "C" Return Name Params {                                             \
    static const auto Next = reinterpret_cast<Return(*) Params>(Real(#Name)); \
    ++GlCalls;                                                                \
    return Next Args;                                                         \
  }

COUNTED(void, glAlphaFunc, (GLenum a, GLclampf b), (a, b))
COUNTED(void, glBegin, (GLenum a), (a))
COUNTED(void, glBindTexture, (GLenum a, GLuint b), (a, b))
COUNTED(void, glBlendFunc, (GLenum a, GLenum b), (a, b))
COUNTED(void, glCallList, (GLuint a), (a))
COUNTED(void, glClear, (GLbitfield a), (a))
COUNTED(void, glClearColor, (GLclampf a, GLclampf b, GLclampf c, GLclampf d), (a, b, c, d))
COUNTED(void, glColor3f, (GLfloat a, GLfloat b, GLfloat c), (a, b, c))
COUNTED(void, glColor4f, (GLfloat a, GLfloat b, GLfloat c, GLfloat d), (a, b, c, d))
COUNTED(void, glDepthFunc, (GLenum a), (a))
COUNTED(void, glDepthMask, (GLboolean a), (a))
COUNTED(void, glDisable, (GLenum a), (a))
COUNTED(void, glEnable, (GLenum a), (a))
COUNTED(void, glEnd, (void), ())
COUNTED(void, glFinish, (void), ())
COUNTED(void, glFrustum, (GLdouble a, GLdouble b, GLdouble c, GLdouble d, GLdouble e, GLdouble f),
        (a, b, c, d, e, f))
COUNTED(void, glGetFloatv, (GLenum a, GLfloat* b), (a, b))
COUNTED(void, glGetIntegerv, (GLenum a, GLint* b), (a, b))
COUNTED(GLboolean, glIsEnabled, (GLenum a), (a))
COUNTED(void, glLightfv, (GLenum a, GLenum b, const GLfloat* c), (a, b, c))
COUNTED(void, glLineWidth, (GLfloat a), (a))
COUNTED(void, glLoadIdentity, (void), ())
COUNTED(void, glMaterialfv, (GLenum a, GLenum b, const GLfloat* c), (a, b, c))
COUNTED(void, glMatrixMode, (GLenum a), (a))
COUNTED(void, glNormal3f, (GLfloat a, GLfloat b, GLfloat c), (a, b, c))
COUNTED(void, glOrtho, (GLdouble a, GLdouble b, GLdouble c, GLdouble d, GLdouble e, GLdouble f),
        (a, b, c, d, e, f))
COUNTED(void, glPointSize, (GLfloat a), (a))
COUNTED(void, glPopMatrix, (void), ())
COUNTED(void, glPushMatrix, (void), ())
COUNTED(void, glRotatef, (GLfloat a, GLfloat b, GLfloat c, GLfloat d), (a, b, c, d))
COUNTED(void, glShadeModel, (GLenum a), (a))
COUNTED(void, glTexCoord2f, (GLfloat a, GLfloat b), (a, b))
COUNTED(void, glTexEnvf, (GLenum a, GLenum b, GLfloat c), (a, b, c))
COUNTED(void, glTranslatef, (GLfloat a, GLfloat b, GLfloat c), (a, b, c))
COUNTED(void, glVertex3f, (GLfloat a, GLfloat b, GLfloat c), (a, b, c))
COUNTED(void, glViewport, (GLint a, GLint b, GLsizei c, GLsizei d), (a, b, c, d))
