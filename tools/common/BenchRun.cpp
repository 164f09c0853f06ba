#include "BenchRun.h"

#include <stdexcept>

#include "FrameInput.h"
#include "HeadlessHost.h"
#include "WorldState.h"

std::string BenchScript(long PlayFrom) {
  const std::string At = std::to_string(PlayFrom);
  return At + " down 90\n" + At + " down 39\n";
}

void StageBenchPart(THeadlessHost& Sim, TBenchPart Part) {
  if (Part == TBenchPart::Title) return;
  Sim.Stage(TStaging::Busy);
  Sim.Stage(TStaging::Scheme, Part == TBenchPart::Wireframe ? 10 : 0);
}

void StepBench(THeadlessHost& Sim) {
  if (!Sim.Step()) throw std::runtime_error("the game ended during the benchmark");
}

void RunBenchParts(THeadlessHost& Sim, long PlayFrom, int TitleWarmUp, const std::function<void(TBenchPart)>& Measure) {
  for (int i = 0; i < TitleWarmUp; ++i) StepBench(Sim);
  Measure(TBenchPart::Title);
  if (Sim.Frame() >= PlayFrom || !Sim.World().OnTitleScreen) throw std::runtime_error("title rounds ran into play");
  // Up to play, and play long enough for the busy scene to fill.
  for (long i = Sim.Frame(); i < PlayFrom + 100; ++i) {
    Sim.Stage(TStaging::Busy);
    StepBench(Sim);
  }
  Measure(TBenchPart::Busy);
  for (int i = 0; i < 20; ++i) {
    StageBenchPart(Sim, TBenchPart::Wireframe);
    StepBench(Sim);
  }
  Measure(TBenchPart::Wireframe);
}
