#include "MultisampleCost.h"

#include <chrono>
#include <cstdio>
#include <exception>

#include "BusyScene.h"
#include "HeadlessContext.h"
#include "FrameInput.h"
#include "HeadlessHost.h"
#include "InputStream.h"

namespace {

// Busy play frames per second in a fresh host with Samples samples a pixel.
double BusyPlayFps(const std::string& Folder, int Width, int Height, int Samples) {
  THeadlessContext Context(Width, Height, Samples);
  THeadlessHost Host(Width, Height, Folder);
  if (!Host.StartUp()) throw std::runtime_error("start-up failed");
  Host.Game.Stream().KeyDown(90);  // Z: play starts
  Host.Game.Stream().KeyUp(90);
  for (int i = 0; i < 30; ++i) {  // warm-up
    Host.Stage(TStaging::Busy);
    Host.Step();
  }
  const int Frames = 200;
  double Busy = 0;
  for (int i = 0; i < Frames; ++i) {
    Host.Stage(TStaging::Busy);
    const auto Start = std::chrono::steady_clock::now();
    Host.Step();
    Busy += std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  }
  return Frames / Busy;
}

}  // namespace

void PrintMultisampleCost(const std::string& ProgramFolder, int Width, int Height) {
  const double Plain = BusyPlayFps(ProgramFolder, Width, Height, 0);
  double Smooth = 0;
  try {
    Smooth = BusyPlayFps(ProgramFolder, Width, Height, 4);
  } catch (const std::exception& e) {
    std::printf("%-44s not offered here (%s)\n", "4x multisampling, busy play frames", e.what());
    return;
  }
  std::printf("%-44s %8.1f fps  against %.1f without: %.3f of it, %.2f ms more a frame\n",
              "4x multisampling, busy play frames", Smooth, Plain, Smooth / Plain,
              (1 / Smooth - 1 / Plain) * 1e3);
}
