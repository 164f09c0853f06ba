#include "DemoCheckBench.h"

#include <chrono>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "DemoCheck.h"
#include "SoakInput.h"

namespace {

constexpr long TenMinutes = 36000;  // frames at 60 a second

// Random play, losing games and starting new ones, recorded as a demo.
std::string RandomGame(const TModelRadii& Radii, long Frames) {
  const int W = 1024, H = 768;
  std::ostringstream Demo;
  Demo << DemoHeaderLine(W, H) << '\n';
  TInputPath Path(W, H);
  Path.Stream().WriteTo(&Demo);
  TWorld World(Path.WorldServices());
  TSoakInput Play(10, Path.Stream());
  for (long k = 1; k <= Frames; ++k) {
    if (k > 1) Play.NextFrame(World.View().OnTitleScreen != 0);
    World.Step(Path.BeginFrame(k, uint32_t(k) * 16u));
    if (World.View().StartupPending) World.StartUp(Radii);
  }
  return Demo.str();
}

}  // namespace

void PrintDemoCheckSpeed(const std::string& Folder) {
  TModelRadii Radii;
  std::string Failure;
  if (!ReadModelRadii(Folder, Radii, Failure)) throw std::runtime_error(Failure);
  const std::string Demo = RandomGame(Radii, TenMinutes);
  double Best = 1e9;
  TDemoCheck C;
  for (int Round = 0; Round < 3; ++Round) {
    const auto Start = std::chrono::steady_clock::now();
    C = CheckDemoText(Demo, Radii);
    Best = std::min(Best, std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
  }
  if (C.Refused) throw std::runtime_error("the benchmark's demo was refused: " + C.Reason);
  std::printf("%-34s %6.0f frames a second (best of 3): a ten-minute game (%ld frames, %zu KB, score %d) in %.3f s\n",
              "demo check (no picture, one core)", double(C.Frames) / Best, C.Frames, Demo.size() / 1024, C.Score,
              Best);
}
