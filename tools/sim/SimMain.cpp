// skyrend-sim: runs the real game headless, frame by frame, from an input
// script; writes a trace and pictures of chosen frames. Exit code 2 for bad
// arguments, a script that cannot be read, a bad script line or an output
// file that cannot be written (all found before the first frame); 1 when the
// game or the output fails later.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "DataFolder.h"
#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "QuoteWord.h"
#include "SimOptions.h"
#include "SimRun.h"
#include "ToolPlayer.h"

namespace {

// A file name as messages show it.
std::string Shown(const std::string& Path) { return QuoteName(Path); }

int Usage(const std::string& Message) {
  std::fprintf(stderr, "skyrend-sim: %s\n%s\n", Message.c_str(), SimUsage);
  return 2;
}

// Why Path cannot be written, or "" when it can: tried by opening it for
// appending, so an existing file keeps its contents and a new one is removed.
std::string CannotWrite(const std::string& Path) {
  struct stat Status;
  const bool Existed = stat(Path.c_str(), &Status) == 0;
  if (Existed && S_ISDIR(Status.st_mode)) return std::strerror(EISDIR);
  std::FILE* File = std::fopen(Path.c_str(), "ab");
  if (!File) return std::strerror(errno);
  std::fclose(File);
  if (!Existed) std::remove(Path.c_str());
  return "";
}

int Run(const TSimOptions& O, std::vector<TScriptEvent> Events, const std::string& Folder) {
  for (const auto& Shot : O.Shots) {
    const std::string Reason = CannotWrite(Shot.second);
    if (!Reason.empty()) {
      std::fprintf(stderr, "skyrend-sim: cannot write the picture \"%s\": %s\n", Shown(Shot.second).c_str(), Reason.c_str());
      return 2;
    }
  }
  std::FILE* Trace = nullptr;
  if (O.TracePath == "-") {
    Trace = stdout;
  } else if (!O.TracePath.empty()) {
    const std::string Reason = CannotWrite(O.TracePath);
    Trace = Reason.empty() ? std::fopen(O.TracePath.c_str(), "wb") : nullptr;
    if (!Trace) {
      std::fprintf(stderr, "skyrend-sim: cannot write the trace \"%s\": %s\n", Shown(O.TracePath).c_str(),
                   Reason.empty() ? std::strerror(errno) : Reason.c_str());
      return 2;
    }
  }
  std::unique_ptr<std::ostream> Record;
  if (!O.RecordPath.empty()) {
    try {
      Record = CreateDemoFile(O.RecordPath);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "skyrend-sim: \"%s\": %s\n", Shown(O.RecordPath).c_str(), e.what());
      return 2;
    }
  }
  int Code = 0;
  {
    THeadlessContext Context(O.Width, O.Height);
    TToolPlayer Player(O.SettingsPath, O.ScoresPath, "skyrend-sim");
    THeadlessHost Sim(O.Width, O.Height, Folder, std::move(Events), O.MsPerFrame, Player.Player());
    if (Record) Sim.Game.Record(std::move(Record), Shown(O.RecordPath));
    TSimRun Run;
    Run.Frames = O.Frames;
    Run.BusyFrom = O.BusyFrom;
    Run.Scheme = O.Scheme;
    Run.Trace = Trace;
    Run.Program = "skyrend-sim";
    Run.AfterFrame = [&](long k) {
      bool Written = true;
      for (const auto& Shot : O.Shots)
        if (Shot.first == k && !Context.WritePng(Shot.second)) {
          std::fprintf(stderr, "skyrend-sim: cannot write the picture \"%s\"\n", Shown(Shot.second).c_str());
          Written = false;
        }
      return Written;
    };
    Code = RunSimFrames(Sim, Run);
    if (!Sim.Game.CloseRecording()) Code = 1;
  }
  if (Trace && Trace != stdout && std::fclose(Trace) != 0 && Code == 0) {
    std::fprintf(stderr, "skyrend-sim: cannot write the trace \"%s\"\n", Shown(O.TracePath).c_str());
    Code = 1;
  }
  if (Trace == stdout) std::fflush(stdout);
  return Code;
}

}  // namespace

int main(int argc, char* argv[]) {
  TSimOptions O;
  try {
    O = ParseSimArguments(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    return Usage(e.what());
  }
  std::vector<TScriptEvent> Events;
  if (!O.ScriptPath.empty()) {
    try {
      const std::string Text = ReadScriptText(O.ScriptPath);
      Events = ParseScript(Text);
      // A demo plays at the window size it was recorded at, unless --size says otherwise.
      int Width, Height;
      if (ReadDemoHeader(Text, Width, Height) && !O.SizeGiven) {
        O.Width = Width;
        O.Height = Height;
      }
    } catch (const std::exception& e) {  // the script's errors, and no memory for it
      std::fprintf(stderr, "skyrend-sim: %s: %s\n", Shown(O.ScriptPath).c_str(), e.what());
      return 2;
    }
  }
  // The view sizes the headless buffers: a demo's header may name any window.
  const std::string TooLarge = ReplayViewTooLarge(O.Width, O.Height);
  if (!TooLarge.empty()) {
    std::fprintf(stderr, "skyrend-sim: %s: %s\n", Shown(O.ScriptPath.empty() ? "--size" : O.ScriptPath).c_str(),
                 TooLarge.c_str());
    return 2;
  }
  // A script plays to its own last frame, as `skyrend --play` does, unless --frames says otherwise.
  if (!O.FramesGiven && !Events.empty()) O.Frames = std::max(Events.back().Frame, 1L);
  for (const auto& Shot : O.Shots)
    if (Shot.first > O.Frames)
      return Usage("--shot frame " + std::to_string(Shot.first) + " comes after the last frame " +
                   std::to_string(O.Frames));

  try {
    return Run(O, std::move(Events), ExecutableFolder(argv[0]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-sim: %s\n", e.what());
    return 1;
  }
}
