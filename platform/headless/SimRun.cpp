#include "SimRun.h"

#include "FrameInput.h"

int RunSimFrames(THeadlessHost& Sim, const TSimRun& Run) {
  for (long k = 1; k <= Run.Frames; ++k) {
    // Staged through the input stream, before the frame's own events.
    if (Run.BusyFrom > 0 && k >= Run.BusyFrom) Sim.Stage(TStaging::Busy);
    if (Run.Scheme >= 0) Sim.Stage(TStaging::Scheme, Run.Scheme);
    if (!Sim.Step()) {
      for (const auto& M : Sim.Messages.Messages) std::fprintf(stderr, "%s: %s\n", Run.Program, M.c_str());
      std::fprintf(stderr, "%s: the game ended at frame %ld\n", Run.Program, k);
      return 1;
    }
    if (Run.Trace) {
      const std::string& Line = Sim.TraceLine();
      std::fwrite(Line.data(), 1, Line.size(), Run.Trace);
      std::fputc('\n', Run.Trace);
    }
    if (Run.AfterFrame && !Run.AfterFrame(k)) return 1;
  }
  return 0;
}
