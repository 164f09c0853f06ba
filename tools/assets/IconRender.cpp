// skyrend-icon: run by the build. Renders the title's emblem (logo.txt, read
// through the game's own model reader) into the desktop icons, square RGBA
// PNGs with a clear background, one for each size asked for. A size with an
// "m" (512m) is a maskable icon, for launchers that cut icons to their own
// shape: an opaque background and the emblem inside the central circle of
// 80 % of the width that every such shape keeps.
//   skyrend-icon <program folder> <size>[m]:<output.png>...
// Each is drawn at four times its size and each 4 x 4 block averaged, so the
// edges are smooth without the GL's multisampling.
#include <GL/gl.h>

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "HeadlessContext.h"
#include "MerivexLib3D.h"
#include "PngFile.h"
#include "QuoteWord.h"
#include "TextNumber.h"

namespace {

constexpr int Scale = 4;

class TStderrMessages : public IMessageSink {
 public:
  void ShowMessage(const std::string& Text) override { std::fprintf(stderr, "%s\n", Text.c_str()); }
};

// The emblem's extent in its model's units, a ring of this radius.
constexpr double EmblemRadius = 29;
// The page's background, behind a maskable icon.
constexpr float Backdrop = 0x11 / 255.0f;

void DrawEmblem(TMS3DObj& Logo, int Size, bool Maskable) {
  glViewport(0, 0, Size * Scale, Size * Scale);
  if (Maskable) glClearColor(Backdrop, Backdrop, Backdrop, 1);
  else glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double Half = Maskable ? EmblemRadius / 0.8 : EmblemRadius;  // the ring within the safe circle
  glOrtho(-Half, Half, -Half, Half, -100, 100);
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
std::vector<uint8_t> Downsample(const std::vector<uint8_t>& Big, int Size) {
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

// One icon: a context of its own size, where the emblem is loaded and drawn.
bool RenderIcon(int Size, bool Maskable, const std::string& Output, const std::string& ProgramFolder) {
  THeadlessContext Context(Size * Scale, Size * Scale);
  TStderrMessages Messages;
  TMS3DObj Logo;
  Logo.LoadFromFile("logo.txt", ProgramFolder, Messages);
  DrawEmblem(Logo, Size, Maskable);
  std::string Error;
  if (!WritePngFile(Output, Size, Size, Downsample(Context.ReadPixels(), Size), TRowOrder::TopFirst, true, Error)) {
    std::fprintf(stderr, "skyrend-icon: cannot write %s: %s\n", Output.c_str(), Error.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: skyrend-icon <program folder> <size>[m]:<output.png>...\n");
    return 2;
  }
  try {
    for (int i = 2; i < argc; ++i) {
      const std::string Arg = argv[i];
      const size_t Colon = Arg.find(':');
      int Size = 0;
      const bool Maskable = Colon != std::string::npos && Colon > 0 && Arg[Colon - 1] == 'm';
      const size_t Digits = Colon == std::string::npos ? 0 : Colon - (Maskable ? 1 : 0);
      if (Colon == std::string::npos || !ParseWholeText(std::string_view(Arg).substr(0, Digits), Size) ||
          Size < 16 || Size > 1024 || Colon + 1 == Arg.size()) {
        std::fprintf(stderr,
                     "skyrend-icon: expected <size>[m]:<output.png> with a size of 16 to 1024, not \"%s\"\n",
                     QuoteName(Arg).c_str());
        return 2;
      }
      if (!RenderIcon(Size, Maskable, Arg.substr(Colon + 1), argv[1])) return 1;
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
