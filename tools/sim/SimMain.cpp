// skyrend-sim: runs the real game headless, frame by frame, from an input
// script; writes a trace and pictures of chosen frames. Exit code 2 for bad
// arguments or a bad script line, 1 when the game or the output fails.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "BusyScene.h"
#include "Simulator.h"

namespace {

int Usage(const std::string& Message) {
  std::fprintf(stderr, "skyrend-sim: %s\n%s\n", Message.c_str(), SimUsage);
  return 2;
}

// The model files lie beside the executable, as they do beside the game.
std::string ProgramFolder(const char* Argv0) {
  std::error_code Error;
  auto Exe = std::filesystem::read_symlink("/proc/self/exe", Error);
  if (Error) Exe = std::filesystem::absolute(Argv0, Error);
  return Exe.parent_path().string();
}

int Run(const TSimOptions& O, std::vector<TScriptEvent> Events, const std::string& Folder) {
  std::FILE* Trace = nullptr;
  if (O.TracePath == "-") {
    Trace = stdout;
  } else if (!O.TracePath.empty()) {
    Trace = std::fopen(O.TracePath.c_str(), "wb");
    if (!Trace) {
      std::fprintf(stderr, "skyrend-sim: cannot write the trace \"%s\"\n", O.TracePath.c_str());
      return 1;
    }
  }
  int Code = 0;
  {
    TSimulator Sim(O.Width, O.Height, Folder, std::move(Events), O.MsPerFrame);
    for (long k = 1; k <= O.Frames && Code == 0; ++k) {
      TFormMain& Form = *Sim.Host.Form;
      if (O.BusyFrom > 0 && k >= O.BusyFrom) StageBusyScene(Form);
      if (O.Scheme >= 0) Form.ColourScheme = O.Scheme;
      if (!Sim.Step()) {
        for (const auto& M : Sim.Host.Messages.Messages) std::fprintf(stderr, "skyrend-sim: %s\n", M.c_str());
        std::fprintf(stderr, "skyrend-sim: the game ended at frame %ld\n", k);
        Code = 1;
        break;
      }
      if (Trace) {
        const std::string& Line = Sim.TraceLine();
        std::fwrite(Line.data(), 1, Line.size(), Trace);
        std::fputc('\n', Trace);
      }
      for (const auto& Shot : O.Shots)
        if (Shot.first == k && !Sim.Host.Context->WritePng(Shot.second)) {
          std::fprintf(stderr, "skyrend-sim: cannot write the picture \"%s\"\n", Shot.second.c_str());
          Code = 1;
        }
    }
  }
  if (Trace && Trace != stdout && std::fclose(Trace) != 0) {
    std::fprintf(stderr, "skyrend-sim: cannot write the trace \"%s\"\n", O.TracePath.c_str());
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
  for (const auto& Shot : O.Shots)
    if (Shot.first > O.Frames)
      return Usage("--shot frame " + std::to_string(Shot.first) + " comes after the last frame " +
                   std::to_string(O.Frames));

  std::vector<TScriptEvent> Events;
  if (!O.ScriptPath.empty()) {
    try {
      Events = ReadScriptFile(O.ScriptPath);
    } catch (const EScriptError& e) {
      std::fprintf(stderr, "skyrend-sim: %s: %s\n", O.ScriptPath.c_str(), e.what());
      return 2;
    }
  }
  try {
    return Run(O, std::move(Events), ProgramFolder(argv[0]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-sim: %s\n", e.what());
    return 1;
  }
}
