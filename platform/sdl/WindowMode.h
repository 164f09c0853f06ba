// The game window's modes: creation with the samples a pixel asked for when
// the display offers them, desktop full screen (the display mode is never
// changed: the picture fills the screen at its own size), and the switch
// between window and full screen while playing (Alt+Enter, F11).
#pragma once
#include <SDL.h>

// The size of the game's window.
constexpr int GameWidth = 1024;
constexpr int GameHeight = 768;

// Creates the window with the game's pixel format (double buffer, RGB 8 bits,
// 16-bit depth). It asks for 8 alpha bits and Samples samples a pixel first,
// then falls back, as the closest format would: no alpha, then no
// multisampling. Null when no format at all works (SDL_GetError says why).
SDL_Window* CreateGameWindow(const char* Title, int X, int Y, int Width, int Height, Uint32 Flags,
                             int Samples = 4);

// The samples a pixel to ask of the game window for a setting (MultisamplingAuto,
// 0, 2, 4 or 8): auto looks at the renderer of a probe context and asks for 4
// on a graphics card, none on a software renderer. Needs SDL's video up.
int ChooseSamples(int Setting);

// Alt+Enter and F11 switch modes. Alt+Enter is a system key the game never sees.
bool IsWindowModeKey(const SDL_Keysym& Key);

// Desktop full screen, or a Width x Height window (at most the screen's
// usable size) in the middle of the screen. False (with SDL_GetError's
// reason) when the switch failed.
bool SetFullScreen(SDL_Window* Window, bool FullScreen, int Width = GameWidth, int Height = GameHeight);

// Where the game window is made: a Width x Height window in the middle of the
// screen (no larger than the first screen's usable area), or for full screen
// the whole first screen.
SDL_Rect InitialWindowPlace(bool FullScreen, int Width, int Height);

// Samples a pixel of the current context's framebuffer (0 without multisampling).
int SamplesPerPixel();
