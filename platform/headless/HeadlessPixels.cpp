#include <GL/gl.h>

#include <algorithm>

#include "HeadlessContext.h"
#include "PngFile.h"

std::vector<uint8_t> THeadlessContext::ReadPixels() const {
  std::vector<uint8_t> bottomUp(size_t(width_) * height_ * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> topDown(bottomUp.size());
  const size_t row = size_t(width_) * 4;
  for (int y = 0; y < height_; ++y)
    std::copy_n(bottomUp.begin() + (height_ - 1 - y) * row, row, topDown.begin() + y * row);
  return topDown;
}

uint32_t THeadlessContext::PixelAt(int X, int Y) const {
  uint8_t rgba[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(X, height_ - 1 - Y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return (uint32_t(rgba[0]) << 16) | (uint32_t(rgba[1]) << 8) | rgba[2];
}

bool THeadlessContext::WritePng(const std::string& Path) const {
  std::string Error;
  return WritePngFile(Path, width_, height_, ReadPixels(), TRowOrder::TopFirst, false, Error);
}
