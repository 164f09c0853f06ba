// An offscreen OpenGL context on Mesa through EGL (surfaceless platform,
// pbuffer, desktop OpenGL with the fixed-function pipeline). It is current on
// the calling thread from construction to destruction.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class THeadlessContext {
 public:
  // Throws std::runtime_error naming the EGL step that failed. Samples > 0
  // asks for a multisampled colour buffer (as the game window asks for 4).
  THeadlessContext(int Width, int Height, int Samples = 0);
  ~THeadlessContext();
  THeadlessContext(const THeadlessContext&) = delete;
  THeadlessContext& operator=(const THeadlessContext&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Presents the frame (waits for the GL to finish).
  void Swap();
  // RGBA bytes of the colour buffer, top row first.
  std::vector<uint8_t> ReadPixels() const;
  // The pixel at (X, Y), Y counted from the top: 0xRRGGBB.
  uint32_t PixelAt(int X, int Y) const;
  // Writes the colour buffer as an RGB PNG; false on an I/O failure.
  bool WritePng(const std::string& Path) const;

 private:
  int width_, height_;
  void* display_ = nullptr;
  void* surface_ = nullptr;
  void* context_ = nullptr;
};
