// skyrend-soak: plays the real game headless for N frames of seeded random
// input, checks the game's invariants after every frame and prints the frames,
// the frame rate and the peak memory. Drawing dominates the cost, so the view
// is small unless --size says otherwise. Exit code 1 when a rule breaks (the
// message names the frame and the seed that reproduces it), 2 for bad arguments.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "DataFolder.h"
#include "OptionValue.h"
#include "QuoteWord.h"
#include "ScriptFormat.h"
#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "WorldState.h"
#include "SimOptions.h"
#include "ToolPlayer.h"
#include "SoakChecks.h"
#include "SoakInput.h"

namespace {

const char* const Usage =
    "usage: skyrend-soak [--frames N] [--seed S] [--size WxH] [--script-out FILE]\n"
    "                    [--settings FILE] [--scores FILE]\n"
    "  plays N frames (20000) of random input from seed S (1) at WxH (64x48);\n"
    "  --script-out writes the input as a script for skyrend-sim --script";

struct TSoakOptions {
  long Frames = 20000;
  uint64_t Seed = 1;
  int Width = 64, Height = 48;
  std::string ScriptOut;
  std::string SettingsPath, ScoresPath;  // the player's files; none unless named
};

TSoakOptions ParseArguments(const std::vector<std::string>& Args) {
  TSoakOptions O;
  for (size_t i = 0; i < Args.size(); ++i) {
    const std::string& Name = Args[i];
    if (i + 1 >= Args.size()) throw std::invalid_argument("unknown argument or missing value \"" + QuoteWord(Name) + "\"");
    const std::string& V = Args[++i];
    if (Name == "--frames") {
      O.Frames = WholeOption(V, 1, 2000000000L, "--frames");
    } else if (Name == "--seed") {
      O.Seed = uint64_t(WholeOption(V, 0, 2000000000L, "--seed"));
    } else if (Name == "--size") {
      SizeOption(V, 1, O.Width, O.Height);
    } else if (Name == "--script-out") {
      O.ScriptOut = V;
    } else if (Name == "--settings") {
      O.SettingsPath = V;
    } else if (Name == "--scores") {
      O.ScoresPath = V;
    } else {
      throw std::invalid_argument("unknown argument \"" + QuoteWord(Name) + "\"");
    }
  }
  return O;
}

double PeakMegabytes() {
  rusage Usage{};
  getrusage(RUSAGE_SELF, &Usage);
  return double(Usage.ru_maxrss) / 1024.0;  // Linux reports kilobytes
}

int Soak(const TSoakOptions& O, const std::string& Folder) {
  std::ofstream File;
  if (!O.ScriptOut.empty()) {
    File.open(O.ScriptOut, std::ios::binary | std::ios::trunc);
    if (!File) {
      std::fprintf(stderr, "skyrend-soak: cannot write the script \"%s\"\n", O.ScriptOut.c_str());
      return 2;
    }
    File << DemoHeaderLine(O.Width, O.Height) << '\n';
  }
  THeadlessContext Context(O.Width, O.Height);
  TToolPlayer Player(O.SettingsPath, O.ScoresPath, "skyrend-soak");
  THeadlessHost Sim(O.Width, O.Height, Folder, Player.Player());
  Sim.Game.Stream().WriteTo(O.ScriptOut.empty() ? nullptr : &File);
  TSoakInput Input(O.Seed, Sim.Game.Stream());
  TSoakChecker Checker;
  double EarlyPeak = 0;
  const auto Start = std::chrono::steady_clock::now();
  for (long k = 1; k <= O.Frames; ++k) {
    if (k > 1) Input.NextFrame(Sim.World().OnTitleScreen != 0);
    Sim.Wall.Now = uint32_t(k) * 16u;  // the frame's clock
    if (!Sim.Step()) {
      for (const auto& M : Sim.Messages.Messages) std::fprintf(stderr, "skyrend-soak: %s\n", M.c_str());
      std::fprintf(stderr, "skyrend-soak: the game ended at frame %ld\n", k);
      return 1;
    }
    const std::string Broken = Checker.Check(Sim.World());
    if (!Broken.empty()) {
      std::fprintf(stderr, "skyrend-soak: frame %ld (seed %llu): %s\n", k, (unsigned long long)O.Seed,
                   Broken.c_str());
      return 1;
    }
    if (k == 1000) EarlyPeak = PeakMegabytes();
    if (k % 100000 == 0) {  // a long run shows its pace and that its memory stays put
      const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
      std::printf("  frame %ld: %.0f frames per second, peak memory %.1f MB\n", k, double(k) / Seconds,
                  PeakMegabytes());
      std::fflush(stdout);
    }
  }
  const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  std::printf("skyrend-soak: %ld frames at %dx%d, seed %llu: every invariant held\n", O.Frames, O.Width, O.Height,
              (unsigned long long)O.Seed);
  std::printf("  %.1f s, %.0f frames per second; %ld games, top level %d\n", Seconds, double(O.Frames) / Seconds,
              Checker.Games(), Checker.TopLevel() + 1);
  std::printf("  peak memory %.1f MB", PeakMegabytes());
  if (EarlyPeak > 0) std::printf(" (%.1f MB after 1000 frames)", EarlyPeak);
  std::printf("\n");
  if (File.is_open()) {
    File.close();
    if (File.fail()) {
      std::fprintf(stderr, "skyrend-soak: cannot write the script \"%s\"\n", O.ScriptOut.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  TSoakOptions O;
  try {
    O = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "skyrend-soak: %s\n%s\n", e.what(), Usage);
    return 2;
  }
  try {
    return Soak(O, ExecutableFolder(argv[0]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-soak: %s\n", e.what());
    return 1;
  }
}
