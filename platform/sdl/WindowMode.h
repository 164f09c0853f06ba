// The game window's modes: creation with 4x multisampling when the display
// offers it, the full-screen display mode, and the switch between window and
// full screen while playing (Alt+Enter, F11).
#pragma once
#include <SDL.h>

// The size of the game's window, and of the display mode asked for in full screen.
constexpr int GameWidth = 1024;
constexpr int GameHeight = 768;

// Creates the window with the game's pixel format (double buffer, RGB 8 bits,
// 16-bit depth). It asks for 8 alpha bits and Samples samples a pixel first,
// then falls back, as the closest format would: no alpha, then no
// multisampling. Null when no format at all works (SDL_GetError says why).
SDL_Window* CreateGameWindow(const char* Title, int X, int Y, int Width, int Height, Uint32 Flags,
                             int Samples = 4);

// The display mode closest to Width x Height at BitsPerPixel; false when the display has none.
bool ClosestDisplayMode(int Width, int Height, int BitsPerPixel, SDL_DisplayMode& Mode);

// Alt+Enter and F11 switch modes. Alt+Enter is a system key the game never sees.
bool IsWindowModeKey(const SDL_Keysym& Key);

// Full screen at the closest mode to 1024 x 768, or a 1024 x 768 window in
// the middle of the screen. False (with SDL_GetError's reason) when the switch failed.
bool SetFullScreen(SDL_Window* Window, bool FullScreen);

// Samples a pixel of the current context's framebuffer (0 without multisampling).
int SamplesPerPixel();
