// skyrend-bench: frame rates of the real game in the headless context (1024 x
// 768 unless --size says otherwise) against a baseline frame, the world's step
// with no picture, a demo's check, start-up's model loading time and heap
// allocations per frame. Figures, not pass or fail.
// Every measured block of frames sits between two short baseline blocks, in
// several rounds, so that a machine whose load changes still gives ratios.
#include <GL/gl.h>

#include <atomic>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <new>
#include <string>

#include "BenchOptions.h"
#include "BenchRun.h"
#include "BenchStats.h"
#include "BusyScene.h"
#include "DemoCheckBench.h"
#include "GlCallCounter.h"
#include "GlDriverStack.h"
#include "MeshLists.h"
#include "MultisampleCost.h"
#include "HeadlessContext.h"
#include "HeadlessHost.h"
#include "DemoCheck.h"
#include "LoadBudgetBench.h"
#include "ToolPlayer.h"

namespace {
std::atomic<long> Allocations{0};
std::atomic<long> DriverAllocations{0};
// Telling the driver's allocations apart walks the stack: off where start-up
// time is measured (--load-budgets), which allocates far more than a frame.
std::atomic<bool> WalkStacks{true};

}  // namespace

// Every C++ allocation in the program is counted, the GL driver's apart.
void* operator new(std::size_t Size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (WalkStacks.load(std::memory_order_relaxed) && CalledFromGlDriver())
    DriverAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(Size ? Size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

int Width = 1024, Height = 768;  // of the picture, from --size
constexpr int BaselineFrames = 60, MeasuredFrames = 40;

std::string ProgramFolder() {
  std::error_code Error;
  const auto Exe = std::filesystem::read_symlink("/proc/self/exe", Error);
  return Error ? "." : Exe.parent_path().string();
}

std::string LoadAverage() {
  char Text[64] = "?";
  if (std::FILE* F = std::fopen("/proc/loadavg", "r")) {
    if (!std::fgets(Text, sizeof Text, F)) Text[0] = 0;
    std::fclose(F);
  }
  std::string Load(Text);
  return Load.substr(0, Load.find(' ', Load.find(' ', Load.find(' ') + 1) + 1));
}

// Times Frames frames of Draw (each followed by the host's finish); Before
// runs ahead of each frame, untimed.
template <typename Prepare, typename DrawFrame>
TBlock TimeBlock(int Frames, Prepare Before, DrawFrame Draw) {
  TBlock B;
  double Wall = 0, Cpu = 0, Thread = 0;
  for (int i = 0; i < Frames; ++i) {
    Before();
    const double W0 = WallSeconds(), C0 = ProcessCpuSeconds(), T0 = ThreadCpuSeconds();
    Draw(i);
    Wall += WallSeconds() - W0;
    Cpu += ProcessCpuSeconds() - C0;
    Thread += ThreadCpuSeconds() - T0;
  }
  B.Fps = Frames / Wall;
  B.WallMs = Wall / Frames * 1e3;
  B.CpuMs = Cpu / Frames * 1e3;
  B.MainThreadMs = Thread / Frames * 1e3;
  return B;
}

// The bare context: clear, one full-screen quad, finish. The game's GL state
// is kept aside meanwhile.
TBlock BaselineBlock(THeadlessContext& Context, int Frames) {
  BeginBaseline(Width, Height);
  const TBlock B = TimeBlock(Frames, [] {}, [&](int i) {
    DrawBaselineFrame(i, Width, Height);
    Context.Swap();
  });
  EndBaseline();
  return B;
}

// One kind of frame measured in rounds: baseline, measured, baseline, ...
struct TKind {
  std::vector<double> Ratios, CpuRatios, Fps, WallMs, CpuMs, MainThreadMs;
  double GlCallsPerFrame = 0, ObjectsPerFrame = 0, CulledPerFrame = 0, TrianglesPerFrame = 0;
  double GameAllocationsPerFrame = 0, DriverAllocationsPerFrame = 0;
  TSceneCount Scene;
};

std::vector<double> BaselineFps, BaselineCpuMs;

template <typename Prepare>
TKind MeasureRounds(THeadlessContext& Context, THeadlessHost& Sim, int Rounds, Prepare Before) {
  TKind K;
  long Frames = 0, Calls = 0, Allocated = 0, ByDriver = 0;
  TDrawCounters Drawn;
  auto Step = [&](int) {
    const long CallsBefore = GlCalls, AllocatedBefore = Allocations.load(), DriverBefore = DriverAllocations.load();
    const TDrawCounters DrawnBefore = DrawCounters;
    StepBench(Sim);
    Calls += GlCalls - CallsBefore;
    ByDriver += DriverAllocations.load() - DriverBefore;
    Allocated += Allocations.load() - AllocatedBefore;
    Drawn.Objects += DrawCounters.Objects - DrawnBefore.Objects;
    Drawn.Culled += DrawCounters.Culled - DrawnBefore.Culled;
    Drawn.Triangles += DrawCounters.Triangles - DrawnBefore.Triangles;
    ++Frames;
  };
  TBlock Previous = BaselineBlock(Context, BaselineFrames);
  BaselineFps.push_back(Previous.Fps);
  BaselineCpuMs.push_back(Previous.CpuMs);
  for (int r = 0; r < Rounds; ++r) {
    const TBlock M = TimeBlock(MeasuredFrames, Before, Step);
    const TBlock Next = BaselineBlock(Context, BaselineFrames);
    BaselineFps.push_back(Next.Fps);
    BaselineCpuMs.push_back(Next.CpuMs);
    K.Ratios.push_back(M.Fps / ((Previous.Fps + Next.Fps) / 2));
    K.CpuRatios.push_back((Previous.CpuMs + Next.CpuMs) / 2 / M.CpuMs);
    K.Fps.push_back(M.Fps);
    K.WallMs.push_back(M.WallMs);
    K.CpuMs.push_back(M.CpuMs);
    K.MainThreadMs.push_back(M.MainThreadMs);
    Previous = Next;
  }
  K.GlCallsPerFrame = double(Calls) / Frames;
  K.ObjectsPerFrame = double(Drawn.Objects) / Frames;
  K.CulledPerFrame = double(Drawn.Culled) / Frames;
  K.TrianglesPerFrame = double(Drawn.Triangles) / Frames;
  K.GameAllocationsPerFrame = double(Allocated - ByDriver) / Frames;
  K.DriverAllocationsPerFrame = double(ByDriver) / Frames;
  K.Scene = CountScene(Sim.World());
  return K;
}

void PrintKind(const char* Name, const TKind& K) {
  const TSpread R = SpreadOf(K.Ratios);
  std::printf("%-34s %6.3f of baseline  (middle half %.3f..%.3f, all %.3f..%.3f)\n", Name, R.Median, R.LowQuarter,
              R.HighQuarter, R.Min, R.Max);
  const TSpread C = SpreadOf(K.CpuRatios);
  std::printf("%-34s %6.3f by CPU time  (middle half %.3f..%.3f)\n", "", C.Median, C.LowQuarter, C.HighQuarter);
  std::printf("%-34s %6.1f fps, %.2f ms a frame wall, %.2f ms CPU (all threads; game thread %.2f)\n", "",
              SpreadOf(K.Fps).Median, SpreadOf(K.WallMs).Median, SpreadOf(K.CpuMs).Median,
              SpreadOf(K.MainThreadMs).Median);
  std::printf("%-34s %.0f GL calls, %.0f models drawn and %.0f out of view, %.0f triangles a frame\n", "",
              K.GlCallsPerFrame, K.ObjectsPerFrame, K.CulledPerFrame, K.TrianglesPerFrame);
  std::printf("%-34s heap allocations a frame: game %.2f, GL driver %.2f\n", "", K.GameAllocationsPerFrame,
              K.DriverAllocationsPerFrame);
}

// The world's step alone: a world of its own with no services, started with
// the models' radii read without GL, playing the busy scene with no picture.
double WorldStepSeconds(const std::string& Folder, int Steps) {
  TModelRadii Radii;
  std::string Failure;
  if (!ReadModelRadii(Folder, Radii, Failure)) throw std::runtime_error(Failure);
  TWorld World{TWorldServices()};
  World.Step(TFrameInput());
  World.StartUp(Radii);
  const TWorldMessage Play[] = {{TWorldMessage::Key, 90, 0}};
  TFrameInput In;
  In.Messages = Play;
  In.MessageCount = 1;
  World.Step(In);
  const TWorldMessage Busy[] = {{TWorldMessage::Stage, int32_t(TStaging::Busy), 0},
                                {TWorldMessage::Stage, int32_t(TStaging::Scheme), 0}};
  In.Messages = Busy;
  In.MessageCount = 2;
  const double W0 = WallSeconds();
  for (int i = 0; i < Steps; ++i) World.Step(In);
  return WallSeconds() - W0;
}

int Run(int Rounds, const THeadlessPlayer& Player) {
  PrimeStackWalk();  // loads the unwinder now, not inside the first counted allocation
  const std::string Folder = ProgramFolder();
  const std::string LoadBefore = LoadAverage();
  // Title frames until the play rounds: Z (start and fire) and a turn held from then on.
  const int TitleWarmUp = 10;
  const long Start = 2 + TitleWarmUp + long(Rounds) * MeasuredFrames;
  THeadlessContext Context(Width, Height);
  THeadlessPlayer Recording = Player;
  Recording.RecordGames = true;  // every game recorded in memory, as in the desktop and the page
  THeadlessHost Sim(Width, Height, Folder, ParseScript(BenchScript(Start)), 16, Recording);
  if (!Sim.Step()) {
    for (const auto& M : Sim.Messages.Messages) std::fprintf(stderr, "skyrend-bench: %s\n", M.c_str());
    return 1;
  }
  std::printf("skyrend-bench: %dx%d headless, %s; %d rounds of %d frames, each between two baseline blocks of %d\n",
              Width, Height, reinterpret_cast<const char*>(glGetString(GL_RENDERER)), Rounds, MeasuredFrames,
              BaselineFrames);

  TKind Kinds[3];
  RunBenchParts(Sim, Start, TitleWarmUp, [&](TBenchPart Part) {
    Kinds[int(Part)] = MeasureRounds(Context, Sim, Rounds, [&] { StageBenchPart(Sim, Part); });
  });
  const TKind &Title = Kinds[int(TBenchPart::Title)], &Play = Kinds[int(TBenchPart::Busy)],
              &Wire = Kinds[int(TBenchPart::Wireframe)];

  // The world's step alone, with no picture, on the same busy scene.
  const int Updates = 2000;
  const double Update = WorldStepSeconds(Folder, Updates);

  // StartUp on fresh forms: reading the sixteen model files and their textures, compiling the meshes.
  std::vector<double> StartUps, StartUpCpu;
  for (int i = 0; i < 5; ++i) {
    THeadlessContext FreshContext(Width, Height);
    THeadlessHost Fresh(Width, Height, Folder, Player);
    const double W0 = WallSeconds(), C0 = ThreadCpuSeconds();
    const bool Started = Fresh.StartUp();
    StartUps.push_back(WallSeconds() - W0);
    StartUpCpu.push_back(ThreadCpuSeconds() - C0);
    if (!Started) throw std::runtime_error("start-up failed");
  }

  const TSpread Baseline = SpreadOf(BaselineFps);
  std::printf("%-34s %6.1f fps  (median of %zu blocks, %.1f..%.1f), %.2f ms CPU a frame\n",
              "baseline (clear, quad, finish)", Baseline.Median, BaselineFps.size(), Baseline.Min, Baseline.Max,
              SpreadOf(BaselineCpuMs).Median);
  PrintKind("title frames", Title);
  PrintKind("play frames, busy scene", Play);
  PrintKind("play frames, busy, wireframe", Wire);
  std::printf("  busy scene in play: %d aliens, %d rockets, %d player shots, %d alien shots, %d fragments\n",
              Play.Scene.Aliens, Play.Scene.Rockets, Play.Scene.PlayerShots, Play.Scene.AlienShots,
              Play.Scene.Fragments);
  std::printf("%-34s %6.2f us a frame\n", "world step (no picture)", Update / Updates * 1e6);
  const TSpread Up = SpreadOf(StartUps);
  std::printf("%-34s %6.1f ms (median of %zu, best %.1f), %.1f ms CPU\n", "StartUp (16 models, textures, lists)",
              Up.Median * 1e3, StartUps.size(), Up.Min * 1e3, SpreadOf(StartUpCpu).Median * 1e3);
  PrintMultisampleCost(Folder, Width, Height);
  WalkStacks = false;  // the check's parsing allocates: counted without a stack walk each
  PrintDemoCheckSpeed(Folder);
  std::printf("load average (1, 5, 15 min): %s before, %s after\n", LoadBefore.c_str(), LoadAverage().c_str());
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  TBenchOptions Options;
  try {
    Options = ParseBenchArguments(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "skyrend-bench: %s\n%s\n", e.what(), BenchUsage);
    return 2;
  }
  Width = Options.Width;
  Height = Options.Height;
  try {
    if (Options.LoadBudgets) {
      WalkStacks = false;
      return RunLoadBudgetBench(ProgramFolder(), Width, Height, Options.Rounds);
    }
    TToolPlayer Player(Options.SettingsPath, Options.ScoresPath, "skyrend-bench");
    return Run(Options.Rounds, Player.Player());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-bench: %s\n", e.what());
    return 1;
  }
}
