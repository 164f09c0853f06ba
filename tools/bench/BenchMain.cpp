// skyrend-bench: frame rates of the real game in the headless context at
// 1024 x 768 against a baseline frame, the world update's cost, start-up's
// model loading time and heap allocations per frame. Figures, not pass or fail.
#include <GL/gl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <new>
#include <string>

#include "BusyScene.h"
#include "GlDriverStack.h"
#include "MultisampleCost.h"
#include "Simulator.h"

namespace {
std::atomic<long> Allocations{0};
std::atomic<long> DriverAllocations{0};

}  // namespace

// Every C++ allocation in the program is counted, the GL driver's apart.
void* operator new(std::size_t Size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (CalledFromGlDriver()) DriverAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(Size ? Size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int Width = 1024, Height = 768;
using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point Since) { return std::chrono::duration<double>(TClock::now() - Since).count(); }

std::string ProgramFolder() {
  std::error_code Error;
  const auto Exe = std::filesystem::read_symlink("/proc/self/exe", Error);
  return Error ? "." : Exe.parent_path().string();
}

// Frames per second of the bare context: clear, one full-screen quad, finish.
double BaselineFps(THeadlessHost& Host, int Frames) {
  glViewport(0, 0, Width, Height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  const auto Start = TClock::now();
  for (int i = 0; i < Frames; ++i) {
    glClearColor(0, 0, 0.2f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(0.5f, float(i % 2), 0.5f);
    glBegin(GL_QUADS);
    glVertex2f(-1, -1);
    glVertex2f(1, -1);
    glVertex2f(1, 1);
    glVertex2f(-1, 1);
    glEnd();
    Host.Context->Swap();
  }
  return Frames / Seconds(Start);
}

struct TRun {
  double Fps = 0;
  double AllocationsPerFrame = 0;  // by the game (everything but the GL driver)
  double DriverAllocationsPerFrame = 0;
  TSceneCount Scene;
};

// Times Frames frames of Sim; Before runs ahead of each frame, untimed.
template <typename Prepare>
TRun TimeFrames(TSimulator& Sim, int Frames, Prepare Before) {
  TRun R;
  double Busy = 0;
  long Allocated = 0, ByDriver = 0;
  for (int i = 0; i < Frames; ++i) {
    Before();
    const long AllocatedBefore = Allocations.load(), DriverBefore = DriverAllocations.load();
    const auto Start = TClock::now();
    if (!Sim.Step()) throw std::runtime_error("the game ended during the benchmark");
    Busy += Seconds(Start);
    ByDriver += DriverAllocations.load() - DriverBefore;
    Allocated += Allocations.load() - AllocatedBefore;
  }
  R.Fps = Frames / Busy;
  R.AllocationsPerFrame = double(Allocated - ByDriver) / Frames;
  R.DriverAllocationsPerFrame = double(ByDriver) / Frames;
  R.Scene = CountScene(*Sim.Host.Form);
  return R;
}

void PrintRun(const char* Name, const TRun& R, double Baseline) {
  std::printf("%-44s %8.1f fps  (%.3f of baseline)  heap allocations/frame: game %.2f, GL driver %.2f\n", Name,
              R.Fps, R.Fps / Baseline, R.AllocationsPerFrame, R.DriverAllocationsPerFrame);
}

int Run() {
  PrimeStackWalk();  // loads the unwinder now, not inside the first counted allocation
  const std::string Folder = ProgramFolder();
  TSimulator Sim(Width, Height, Folder, ParseScript("105 down 90\n105 down 39\n"));
  if (!Sim.Step()) {
    for (const auto& M : Sim.Host.Messages.Messages) std::fprintf(stderr, "skyrend-bench: %s\n", M.c_str());
    return 1;
  }
  std::printf("skyrend-bench: %dx%d headless, %s\n", Width, Height,
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

  // Title: frames 2 to 100 (the first ten warm up).
  TimeFrames(Sim, 9, [] {});
  const TRun Title = TimeFrames(Sim, 90, [] {});

  // Play: fire and a turn held from frame 105, the scene restaged before each frame.
  TFormMain& Form = *Sim.Host.Form;
  TimeFrames(Sim, 4, [] {});
  TimeFrames(Sim, 300, [&] { StageBusyScene(Form); });
  const TRun Play = TimeFrames(Sim, 400, [&] {
    StageBusyScene(Form);
    Form.ColourScheme = 0;
  });
  TimeFrames(Sim, 20, [&] {
    StageBusyScene(Form);
    Form.ColourScheme = 10;
  });
  const TRun Wire = TimeFrames(Sim, 400, [&] {
    StageBusyScene(Form);
    Form.ColourScheme = 10;
  });

  // The world update alone, on the same busy scene.
  Form.ColourScheme = 0;
  double Update = 0;
  const int Updates = 2000;
  for (int i = 0; i < Updates; ++i) {
    StageBusyScene(Form);
    const auto Start = TClock::now();
    Form.UpdateWorld();
    Update += Seconds(Start);
  }

  const double Baseline = BaselineFps(Sim.Host, 600);

  // StartUp on fresh forms: reading the sixteen model files and their textures.
  double StartUp = 1e9;
  for (int i = 0; i < 3; ++i) {
    THeadlessHost Fresh(Width, Height, Folder);
    const auto Start = TClock::now();
    Fresh.Form->StartUp();
    StartUp = std::min(StartUp, Seconds(Start));
    if (Fresh.Form->TerminateRequested) throw std::runtime_error("start-up failed");
  }

  std::printf("%-44s %8.1f fps\n", "baseline (clear, full-screen quad, finish)", Baseline);
  PrintRun("title frames", Title, Baseline);
  PrintRun("play frames, busy scene", Play, Baseline);
  PrintRun("play frames, busy scene, wireframe scheme", Wire, Baseline);
  std::printf("  busy scene in play: %d aliens, %d rockets, %d player shots, %d alien shots, %d fragments\n",
              Play.Scene.Aliens, Play.Scene.Rockets, Play.Scene.PlayerShots, Play.Scene.AlienShots,
              Play.Scene.Fragments);
  std::printf("%-44s %8.2f us per frame\n", "world update (UpdateWorld, logic only)", Update / Updates * 1e6);
  std::printf("%-44s %8.1f ms (best of 3)\n", "StartUp (16 models with their textures)", StartUp * 1e3);
  PrintMultisampleCost(Folder, Width, Height);
  return 0;
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend-bench: %s\n", e.what());
    return 1;
  }
}
