#include "HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define SKYREND_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SKYREND_LEAK_CHECKED 1
#endif
#endif
#ifdef SKYREND_LEAK_CHECKED
#include <dlfcn.h>
#include <link.h>
#endif

#ifdef SKYREND_LEAK_CHECKED
// The GL driver keeps thread-local data in dynamic TLS, which the sanitizer
// runtime tracks by intercepting __tls_get_addr. This runtime (GCC 12) still
// guesses an old glibc layout when such a block starts 16 bytes past a page
// boundary: it takes the 16 bytes before the block (here the allocator's own
// chunk header) for the block's start and size, and the leak check at exit
// scans that range and dies ("Tracer caught signal 11"), in about one run in
// a hundred, as heap addresses fall. Off, the blocks are not tracked: what
// only the driver's thread-locals point to could then be reported as leaked,
// and nothing is.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
#endif

namespace {

// The leak checker looks at the heap when the process ends. eglTerminate
// unloads the GL driver, and what the driver still held then points nowhere
// and would be reported as leaked. So, under the leak checker only, every
// library loaded by now (the driver with them) stays loaded to the end.
void KeepLibrariesLoaded() {
#ifdef SKYREND_LEAK_CHECKED
  std::vector<std::string> Names;
  dl_iterate_phdr(
      [](dl_phdr_info* Info, size_t, void* Out) {
        if (Info->dlpi_name && Info->dlpi_name[0]) static_cast<std::vector<std::string>*>(Out)->push_back(Info->dlpi_name);
        return 0;
      },
      &Names);
  for (const std::string& Name : Names) dlopen(Name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
#endif
}

EGLDisplay OpenDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay display = EGL_NO_DISPLAY;
  if (getPlatformDisplay)
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  return display;
}

[[noreturn]] void Fail(const char* step) {
  char text[160];
  std::snprintf(text, sizeof text, "headless GL: %s failed (EGL error 0x%x)", step, eglGetError());
  throw std::runtime_error(text);
}

}  // namespace

THeadlessContext::THeadlessContext(int Width, int Height, int Samples) : width_(Width), height_(Height) {
  EGLDisplay display = OpenDisplay();
  if (display == EGL_NO_DISPLAY) Fail("eglGetPlatformDisplay");
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) Fail("eglInitialize");
  display_ = display;
  if (!eglBindAPI(EGL_OPENGL_API)) Fail("eglBindAPI");

  // The same request as the game window: 8-bit RGBA and a 16-bit depth buffer.
  const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                  EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 16,
                                  EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SAMPLE_BUFFERS, Samples > 0 ? 1 : 0,
                                  EGL_SAMPLES, Samples, EGL_NONE};
  EGLConfig config;
  EGLint count = 0;
  if (!eglChooseConfig(display, configAttribs, &config, 1, &count) || count < 1) Fail("eglChooseConfig");
  const EGLint surfaceAttribs[] = {EGL_WIDTH, Width, EGL_HEIGHT, Height, EGL_NONE};
  surface_ = eglCreatePbufferSurface(display, config, surfaceAttribs);
  if (surface_ == EGL_NO_SURFACE) Fail("eglCreatePbufferSurface");
  // A compatibility context: the game draws with the fixed-function pipeline.
  const EGLint contextAttribs[] = {EGL_NONE};
  context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
  if (context_ == EGL_NO_CONTEXT) Fail("eglCreateContext");
  if (!eglMakeCurrent(display, surface_, surface_, context_)) Fail("eglMakeCurrent");
  KeepLibrariesLoaded();
  glViewport(0, 0, Width, Height);
}

THeadlessContext::~THeadlessContext() {
  if (!display_) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_) eglDestroyContext(display_, context_);
  if (surface_) eglDestroySurface(display_, surface_);
  eglTerminate(display_);
}

void THeadlessContext::Swap() { glFinish(); }
