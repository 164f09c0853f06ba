// skyrend-icon: run by the build. Renders the title's emblem (logo.txt, read
// through the game's own model reader) into the desktop icon, a 256 x 256
// RGBA PNG with a clear background.
//   skyrend-icon <output.png> <program folder>
// It draws at four times the size and averages each 4 x 4 block, so the
// edges are smooth without the GL's multisampling.
#include <GL/gl.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "HeadlessContext.h"
#include "MerivexLib3D.h"

namespace {

constexpr int Size = 256, Scale = 4;

class TStderrMessages : public IMessageSink {
 public:
  void ShowMessage(const std::string& Text) override { std::fprintf(stderr, "%s\n", Text.c_str()); }
};

void DrawEmblem(TMS3DObj& Logo) {
  glViewport(0, 0, Size * Scale, Size * Scale);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-29, 29, -29, 29, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // The game's light and start-up state.
  const GLfloat position[] = {-250, 250, 100, 1}, ambient[] = {0.4f, 0.4f, 0.4f, 1}, white[] = {1, 1, 1, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, white);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glShadeModel(GL_SMOOTH);
  // Turned a little, so the ring shows it is solid.
  glRotatef(18, 1, 0, 0);
  glRotatef(-24, 0, 1, 0);
  Logo.Draw(false);
  glFinish();
}

// Averages Scale x Scale blocks, colours weighted by their coverage.
std::vector<uint8_t> Downsample(const std::vector<uint8_t>& Big) {
  std::vector<uint8_t> Small(size_t(Size) * Size * 4);
  const int BigWidth = Size * Scale;
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int dy = 0; dy < Scale; ++dy)
        for (int dx = 0; dx < Scale; ++dx) {
          const uint8_t* p = &Big[(size_t(y * Scale + dy) * BigWidth + size_t(x * Scale + dx)) * 4];
          const double alpha = p[3] / 255.0;
          r += p[0] * alpha;
          g += p[1] * alpha;
          b += p[2] * alpha;
          a += alpha;
        }
      uint8_t* q = &Small[(size_t(y) * Size + size_t(x)) * 4];
      q[0] = uint8_t(a > 0 ? r / a + 0.5 : 0);
      q[1] = uint8_t(a > 0 ? g / a + 0.5 : 0);
      q[2] = uint8_t(a > 0 ? b / a + 0.5 : 0);
      q[3] = uint8_t(a / (Scale * Scale) * 255 + 0.5);
    }
  return Small;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skyrend-icon <output.png> <program folder>\n");
    return 2;
  }
  try {
    THeadlessContext Context(Size * Scale, Size * Scale);
    TStderrMessages Messages;
    TMS3DObj Logo;
    Logo.LoadFromFile("logo.txt", argv[2], Messages);
    DrawEmblem(Logo);
    if (!WritePngFile(argv[1], Size, Size, Downsample(Context.ReadPixels()), true)) {
      std::fprintf(stderr, "skyrend-icon: cannot write %s\n", argv[1]);
      return 1;
    }
  } catch (const ELoadError& e) {
    std::fprintf(stderr, "%s\n", LoadFailureMessage(e.FileName, e.what()).c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-icon: %s\n", e.what());
    return 1;
  }
  return 0;
}
