#include "WindowMode.h"

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

bool ClosestDisplayMode(int Width, int Height, int BitsPerPixel, SDL_DisplayMode& Mode) {
  SDL_DisplayMode Want{};
  Want.format = BitsPerPixel == 32 ? SDL_PIXELFORMAT_RGB888 : 0;
  Want.w = Width;
  Want.h = Height;
  return SDL_GetClosestDisplayMode(0, &Want, &Mode) != nullptr;
}

bool IsWindowModeKey(const SDL_Keysym& Key) {
  if (Key.sym == SDLK_F11) return true;
  return (Key.sym == SDLK_RETURN || Key.sym == SDLK_KP_ENTER) && (Key.mod & KMOD_ALT);
}

bool SetFullScreen(SDL_Window* Window, bool FullScreen) {
  if (!FullScreen) {
    if (SDL_SetWindowFullscreen(Window, 0) != 0) return false;
    SDL_SetWindowSize(Window, GameWidth, GameHeight);
    SDL_SetWindowPosition(Window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    return true;
  }
  SDL_DisplayMode Mode{};
  if (!ClosestDisplayMode(GameWidth, GameHeight, 32, Mode)) {
    SDL_SetError("no display mode of %d x %d or larger", GameWidth, GameHeight);
    return false;
  }
  return SDL_SetWindowDisplayMode(Window, &Mode) == 0 && SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN) == 0;
}

int SamplesPerPixel() {
  int Buffers = 0, Samples = 0;
  SDL_GL_GetAttribute(SDL_GL_MULTISAMPLEBUFFERS, &Buffers);
  SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &Samples);
  return Buffers > 0 ? Samples : 0;
}
