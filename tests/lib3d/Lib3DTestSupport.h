// Shared helpers of the model library tests: a temporary folder, a message
// collector, bitmap files built byte by byte, and one headless GL context.
#pragma once
#include <GL/gl.h>

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "HeadlessContext.h"
#include "MerivexLib3D.h"

// A fresh folder under /tmp, removed with everything in it at the end.
class TTempDir {
 public:
  TTempDir() {
    char pattern[] = "/tmp/lib3d-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made) Path = made;
  }
  ~TTempDir() {
    std::error_code ec;
    if (!Path.empty()) std::filesystem::remove_all(Path, ec);
  }
  std::string File(const std::string& Name) const { return Path + "/" + Name; }
  void Write(const std::string& Name, const std::string& Bytes) const {
    std::ofstream(File(Name), std::ios::binary) << Bytes;
  }
  void Write(const std::string& Name, const std::vector<uint8_t>& Bytes) const {
    std::ofstream(File(Name), std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), Bytes.size());
  }
  std::string Path;
};

inline std::vector<uint8_t> ReadFileBytes(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TMessageLog : public IMessageSink {
 public:
  void ShowMessage(const std::string& Text) override { Messages.push_back(Text); }
  std::vector<std::string> Messages;
};

// Loads Folder/Name; gives "" on success, else the load-failure message the
// start-up code would show for the error.
inline std::string TryLoad(TMS3DObj& Model, const std::string& Name, const std::string& Folder,
                           IMessageSink& Messages) {
  try {
    Model.LoadFromFile(Name, Folder, Messages);
    return "";
  } catch (const ELoadError& e) {
    return LoadFailureMessage(e.FileName, e.what());
  }
}

inline std::string FailureFor(const std::string& Name, const std::string& Text) {
  return "Problem reading file " + Name + "\r\nException : " + Text +
         "\r\nEnsure all files in same folder, press Ok to terminate";
}

// What MakeBitmap writes a 24-bit bitmap file from. Pixels are 0xRRGGBB in stored order: the first row
// given is the first row stored (the picture's bottom row unless TopDown).
struct TBitmapRecipe {
  int32_t Width = 1;
  int32_t Height = 1;  // picture rows, positive
  std::vector<uint32_t> Pixels;
  bool TopDown = false;
  uint32_t InfoSize = 40;
  uint32_t Gap = 0;  // bytes between the headers and the pixel data
  uint16_t BitsPerPixel = 24;
  uint32_t Compression = 0;
};

inline void PutU16(std::vector<uint8_t>& B, size_t At, uint32_t V) {
  B[At] = V & 0xFF;
  B[At + 1] = (V >> 8) & 0xFF;
}
inline void PutU32(std::vector<uint8_t>& B, size_t At, uint32_t V) {
  for (int k = 0; k < 4; ++k) B[At + k] = (V >> (8 * k)) & 0xFF;
}

inline std::vector<uint8_t> MakeBitmap(const TBitmapRecipe& S) {
  const size_t stride = (static_cast<size_t>(S.Width) * 3 + 3) / 4 * 4;
  const size_t offset = 14 + S.InfoSize + S.Gap;
  std::vector<uint8_t> b(offset + stride * S.Height, 0);
  b[0] = 'B';
  b[1] = 'M';
  PutU32(b, 2, static_cast<uint32_t>(b.size()));
  PutU32(b, 10, static_cast<uint32_t>(offset));
  PutU32(b, 14, S.InfoSize);
  PutU32(b, 18, static_cast<uint32_t>(S.Width));
  PutU32(b, 22, static_cast<uint32_t>(S.TopDown ? -S.Height : S.Height));
  PutU16(b, 26, 1);
  PutU16(b, 28, S.BitsPerPixel);
  PutU32(b, 30, S.Compression);
  for (int32_t row = 0; row < S.Height; ++row)
    for (int32_t x = 0; x < S.Width; ++x) {
      const size_t i = static_cast<size_t>(row) * S.Width + x;
      const uint32_t c = i < S.Pixels.size() ? S.Pixels[i] : 0;
      uint8_t* p = &b[offset + row * stride + x * 3];
      p[0] = c & 0xFF;          // blue
      p[1] = (c >> 8) & 0xFF;   // green
      p[2] = (c >> 16) & 0xFF;  // red
    }
  return b;
}

// A W x H bitmap of one colour.
inline std::vector<uint8_t> SolidBitmap(int32_t W, int32_t H, uint32_t Colour) {
  TBitmapRecipe s;
  s.Width = W;
  s.Height = H;
  s.Pixels.assign(static_cast<size_t>(W) * H, Colour);
  return MakeBitmap(s);
}

// The one GL context of the test program, made current on first use. It is
// never torn down: the GL driver keeps allocations from its start-up for the
// whole process, and they stay reachable (not reported as leaks) only while
// the driver is loaded.
inline THeadlessContext& SharedContext() {
  static THeadlessContext* context = new THeadlessContext(64, 64);
  return *context;
}

// The shared context with texturing, blending, the alpha and depth tests and
// culling off, as the drawing tests start from.
inline void PlainDrawState() {
  SharedContext();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
}
