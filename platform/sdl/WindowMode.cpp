#include "WindowMode.h"

#include <GL/gl.h>

#include <algorithm>

#include "CommandLine.h"
#include "SoftwareRenderer.h"

namespace {

void RequestPixelFormat(int AlphaBits, int Samples) {
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, AlphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, Samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, Samples);
}

}  // namespace

SDL_Window* CreateGameWindow(const char* Title, int X, int Y, int Width, int Height, Uint32 Flags,
                             int Samples) {
  // Smoother edges first; a display without multisampled formats still plays.
  const int Tries[][2] = {{8, Samples}, {0, Samples}, {8, 0}, {0, 0}};
  for (const auto& Try : Tries) {
    RequestPixelFormat(Try[0], Try[1]);
    if (SDL_Window* Window = SDL_CreateWindow(Title, X, Y, Width, Height, Flags)) return Window;
  }
  return nullptr;
}

int ChooseSamples(int Setting) {
  if (Setting != MultisamplingAuto) return Setting;
  // A hidden window and its context, only to read the renderer's name.
  RequestPixelFormat(0, 0);
  SDL_Window* Probe = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!Probe) return 0;
  SDL_GLContext Context = SDL_GL_CreateContext(Probe);
  const char* Renderer = Context ? reinterpret_cast<const char*>(glGetString(GL_RENDERER)) : nullptr;
  const int Samples = Renderer && !IsSoftwareRenderer(Renderer) ? 4 : 0;
  if (Context) SDL_GL_DeleteContext(Context);
  SDL_DestroyWindow(Probe);
  return Samples;
}

bool IsWindowModeKey(const SDL_Keysym& Key) {
  if (Key.sym == SDLK_F11) return true;
  return (Key.sym == SDLK_RETURN || Key.sym == SDLK_KP_ENTER) && (Key.mod & KMOD_ALT);
}

bool SetFullScreen(SDL_Window* Window, bool FullScreen, int Width, int Height) {
  if (!FullScreen) {
    if (SDL_SetWindowFullscreen(Window, 0) != 0) return false;
    SDL_Rect Usable{};
    if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(Window), &Usable) == 0 && Usable.w > 0 && Usable.h > 0) {
      Width = std::min(Width, Usable.w);
      Height = std::min(Height, Usable.h);
    }
    SDL_SetWindowSize(Window, Width, Height);
    SDL_SetWindowPosition(Window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    return true;
  }
  // The window itself covers the screen too: without a window manager to
  // honour the full-screen state, it would keep its size and crop the picture.
  SDL_Rect Screen{};
  if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(Window), &Screen) == 0) {
    SDL_SetWindowPosition(Window, Screen.x, Screen.y);
    SDL_SetWindowSize(Window, Screen.w, Screen.h);
  }
  return SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

SDL_Rect InitialWindowPlace(bool FullScreen, int Width, int Height) {
  SDL_Rect Usable{};
  if (SDL_GetDisplayUsableBounds(0, &Usable) == 0 && Usable.w > 0 && Usable.h > 0) {
    // A size kept from a larger screen.
    Width = std::min(Width, Usable.w);
    Height = std::min(Height, Usable.h);
  }
  SDL_Rect Place{int(SDL_WINDOWPOS_CENTERED), int(SDL_WINDOWPOS_CENTERED), Width, Height};
  // Full screen, the window is made where the screen is and as large (see SetFullScreen).
  if (FullScreen) SDL_GetDisplayBounds(0, &Place);
  return Place;
}

int SamplesPerPixel() {
  int Buffers = 0, Samples = 0;
  SDL_GL_GetAttribute(SDL_GL_MULTISAMPLEBUFFERS, &Buffers);
  SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &Samples);
  return Buffers > 0 ? Samples : 0;
}
