#include "SimRun.h"

#include <cerrno>
#include <cstring>

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
      // A full disk shows when a buffer is flushed: the run stops there, not
      // after the remaining frames are played for a trace that is lost.
      if (std::fwrite(Line.data(), 1, Line.size(), Run.Trace) != Line.size() || std::fputc('\n', Run.Trace) == EOF) {
        std::fprintf(stderr, "%s: cannot write the trace at frame %ld: %s\n", Run.Program, k, std::strerror(errno));
        return 1;
      }
    }
    if (Run.AfterFrame && !Run.AfterFrame(k)) return 1;
  }
  return 0;
}
