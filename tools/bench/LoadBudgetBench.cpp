#include "LoadBudgetBench.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "BusyScene.h"
#include "HeadlessContext.h"
#include "FrameInput.h"
#include "HeadlessHost.h"
#include "WorstLoads.h"

namespace fs = std::filesystem;

namespace {

constexpr int WarmUpFrames = 30, PlayFrames = 60, TitleFrames = 60;

struct TOutcome {
  bool Loaded = false;
  double StartUpMs = 0;
  double PlayFps = 0;
  double TitleFps = 0;
  char Message[160] = "";
};

// In the child: start-up of the folder's models, title frames (the logo
// turning), then busy play frames.
TOutcome LoadAndPlay(const std::string& Folder, int Width, int Height) {
  TOutcome out;
  THeadlessContext context(Width, Height);
  const int playFrom = 2 + WarmUpFrames + TitleFrames;
  THeadlessHost sim(Width, Height, Folder, ParseScript(std::to_string(playFrom) + " down 90\n"));
  const double w0 = WallSeconds();
  out.Loaded = sim.Step();
  out.StartUpMs = (WallSeconds() - w0) * 1e3;
  if (!out.Loaded) {
    const std::string first = sim.Messages.Messages.empty() ? "" : sim.Messages.Messages.back();
    // The reason: the load-failure message's second line.
    const size_t from = first.find("Exception : "), to = first.find('\r', from);
    const std::string reason = from == std::string::npos ? first : first.substr(from + 12, to - from - 12);
    std::snprintf(out.Message, sizeof out.Message, "%s", reason.c_str());
    return out;
  }
  for (int i = 0; i < WarmUpFrames; ++i) sim.Step();
  const double t0 = WallSeconds();
  for (int i = 0; i < TitleFrames; ++i) {
    sim.Step();
    context.Swap();
  }
  out.TitleFps = TitleFrames / (WallSeconds() - t0);
  for (int i = 0; i < WarmUpFrames; ++i) {
    sim.Stage(TStaging::Busy);
    sim.Step();
  }
  const double p0 = WallSeconds();
  for (int i = 0; i < PlayFrames; ++i) {
    sim.Stage(TStaging::Busy);
    sim.Step();
    context.Swap();
  }
  out.PlayFps = PlayFrames / (WallSeconds() - p0);
  return out;
}

// Runs one case in a child process; PeakMb is the child's peak resident memory.
bool RunCase(const std::string& Folder, int Width, int Height, TOutcome& Out, double& PeakMb) {
  int channel[2];
  if (pipe(channel) != 0) return false;
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const TOutcome out = LoadAndPlay(Folder, Width, Height);
    const bool written = write(channel[1], &out, sizeof out) == ssize_t(sizeof out);
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  const bool read_ = read(channel[0], &Out, sizeof Out) == ssize_t(sizeof Out);
  close(channel[0]);
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  PeakMb = usage.ru_maxrss / 1024.0;
  return read_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int RunLoadBudgetBench(const std::string& ProgramFolder, int Width, int Height, int Rounds) {
  char pattern[] = "/tmp/skyrend-load-budgets-XXXXXX";
  if (!mkdtemp(pattern)) {
    std::fprintf(stderr, "skyrend-bench: cannot make a temporary folder\n");
    return 1;
  }
  const std::string root = pattern;
  fs::create_directories(root + "/stock");
  std::printf("skyrend-bench --load-budgets: %dx%d headless; each case in its own process, %d rounds of %d title "
              "and %d busy play frames; fps against the stock files measured between the cases\n",
              Width, Height, Rounds, TitleFrames, PlayFrames);
  std::printf("%-30s %-9s %10s %9s %9s %7s %9s %7s  %s\n", "budget filled", "set", "start-up", "peak RSS", "play fps",
              "of stock", "title fps", "of stock", "refusal");
  int code = 0;
  std::vector<double> stockFps, stockTitleFps;
  const auto keepStock = [&](const TOutcome& Stock) {
    stockFps.push_back(Stock.PlayFps);
    stockTitleFps.push_back(Stock.TitleFps);
  };
  for (const TWorstLoad kind : WorstLoads) {
    for (const bool over : {false, true}) {
      if (kind == TWorstLoad::Stock && over) continue;
      const std::string folder = root + "/case";
      fs::remove_all(folder);
      fs::create_directories(folder);
      WriteWorstLoad(kind, over, ProgramFolder, folder);
      std::vector<double> fps, titleFps, startUp, peak;
      TOutcome out;
      for (int r = 0; r < (over ? 1 : Rounds); ++r) {
        double peakMb = 0;
        // The stock files between rounds: the machine's load as the case ran.
        if (kind != TWorstLoad::Stock && !over) {
          TOutcome stock;
          double stockPeak = 0;
          WriteWorstLoad(TWorstLoad::Stock, false, ProgramFolder, root + "/stock");
          if (RunCase(root + "/stock", Width, Height, stock, stockPeak)) keepStock(stock);
        }
        if (!RunCase(folder, Width, Height, out, peakMb)) {
          std::printf("%-30s the case's process failed\n", WorstLoadName(kind));
          code = 1;
          break;
        }
        startUp.push_back(out.StartUpMs);
        peak.push_back(peakMb);
        if (out.Loaded) {
          fps.push_back(out.PlayFps);
          titleFps.push_back(out.TitleFps);
        }
        if (kind == TWorstLoad::Stock) keepStock(out);
      }
      if (startUp.empty()) continue;
      const bool loaded = !fps.empty();
      // A case's median frame rate, and its share of the stock files' median.
      const auto rate = [loaded](const std::vector<double>& Case) {
        return loaded ? std::to_string(int(SpreadOf(Case).Median + 0.5)) : std::string("-");
      };
      const auto share = [loaded](const std::vector<double>& Case, const std::vector<double>& Stock) {
        if (!loaded || Stock.empty()) return std::string("-");
        return std::to_string(SpreadOf(Case).Median / SpreadOf(Stock).Median).substr(0, 5);
      };
      std::printf("%-30s %-9s %8.0fms %7.0fMB %9s %7s %9s %7s  %s\n", WorstLoadName(kind), over ? "one over" : "worst",
                  SpreadOf(startUp).Median, SpreadOf(peak).Max, rate(fps).c_str(), share(fps, stockFps).c_str(),
                  rate(titleFps).c_str(), share(titleFps, stockTitleFps).c_str(), loaded ? "" : out.Message);
      if (over == loaded) code = 1;  // a worst set refused, or one over accepted
    }
  }
  fs::remove_all(root);
  return code;
}
