// On Windows the offscreen context is a WGL context on a window that is never
// shown: the frame is drawn into its back buffer and read back from there.
#include "WidePath.h"  // windows.h first, as gl.h wants

#include <GL/gl.h>

#include <cstdio>
#include <stdexcept>

#include "HeadlessContext.h"

namespace {

const wchar_t* const ClassName = L"SkyrendHeadless";

[[noreturn]] void Fail(const char* Step) {
  char Text[160];
  std::snprintf(Text, sizeof Text, "headless GL: %s failed (Windows error %lu)", Step, GetLastError());
  throw std::runtime_error(Text);
}

}  // namespace

THeadlessContext::THeadlessContext(int Width, int Height, int /*Samples: one sample per pixel here*/)
    : width_(Width), height_(Height) {
  const HINSTANCE Instance = GetModuleHandleW(nullptr);
  WNDCLASSW Class{};
  Class.style = CS_OWNDC;
  Class.lpfnWndProc = DefWindowProcW;
  Class.hInstance = Instance;
  Class.lpszClassName = ClassName;
  if (!RegisterClassW(&Class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) Fail("RegisterClass");
  const HWND Window =
      CreateWindowExW(0, ClassName, L"Skyrend", WS_POPUP, 0, 0, Width, Height, nullptr, nullptr, Instance, nullptr);
  if (!Window) Fail("CreateWindow");
  display_ = Window;
  const HDC Dc = GetDC(Window);
  surface_ = Dc;
  // The same request as the game window: 8-bit RGBA and a 16-bit depth buffer.
  PIXELFORMATDESCRIPTOR Format{};
  Format.nSize = sizeof Format;
  Format.nVersion = 1;
  Format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  Format.iPixelType = PFD_TYPE_RGBA;
  Format.cColorBits = 24;
  Format.cAlphaBits = 8;
  Format.cDepthBits = 16;
  Format.iLayerType = PFD_MAIN_PLANE;
  const int Chosen = ChoosePixelFormat(Dc, &Format);
  if (Chosen == 0 || !SetPixelFormat(Dc, Chosen, &Format)) Fail("SetPixelFormat");
  const HGLRC Context = wglCreateContext(Dc);
  if (!Context) Fail("wglCreateContext");
  context_ = Context;
  if (!wglMakeCurrent(Dc, Context)) Fail("wglMakeCurrent");
  glViewport(0, 0, Width, Height);
}

THeadlessContext::~THeadlessContext() {
  wglMakeCurrent(nullptr, nullptr);
  if (context_) wglDeleteContext(static_cast<HGLRC>(context_));
  if (surface_) ReleaseDC(static_cast<HWND>(display_), static_cast<HDC>(surface_));
  if (display_) DestroyWindow(static_cast<HWND>(display_));
}

void THeadlessContext::Swap() { glFinish(); }
