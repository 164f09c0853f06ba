// The busy scene's frame rates in the page, the benchmark's game as
// skyrend-bench plays it, to read beside the native figures (bench.js prints them).
#include <emscripten.h>

#include <GL/gl.h>

#include <cstdio>
#include <exception>

#include "BenchRun.h"
#include "BusyScene.h"
#include "GlRenderer.h"
#include "HeadlessHost.h"
#include "ScriptFormat.h"
#include "WebContext.h"

namespace {

// Milliseconds spent handing frames to WebGL (the game, our GL subset and
// the WebGL calls), summed by TimedStep.
double Submitting = 0;

// The time one frame takes to be drawn through: a one-pixel read waits for the GPU.
double TimedStep(THeadlessHost& Sim) {
  const double Start = emscripten_get_now();
  StepBench(Sim);
  Submitting += emscripten_get_now() - Start;
  uint8_t Pixel[4];
  glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, Pixel);
  return emscripten_get_now() - Start;
}

// Frames per second of the bare canvas, as skyrend-bench's baseline: clear,
// one full-screen quad, wait for the GPU.
double BaselineFps(int Width, int Height, int Frames) {
  BeginBaseline(Width, Height);
  const double Start = emscripten_get_now();
  for (int i = 0; i < Frames; ++i) {
    DrawBaselineFrame(i, Width, Height);
    uint8_t Pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, Pixel);
  }
  const double Seconds = (emscripten_get_now() - Start) / 1000;
  EndBaseline();
  return Frames / Seconds;
}

}  // namespace

// The busy scene as skyrend-bench stages it, at Width x Height: prints the
// frames a second of title frames and busy play frames, colour and
// wireframe, and the milliseconds of a title and a play frame spent handing
// it to WebGL (where a query that waits for the GPU shows).
extern "C" EMSCRIPTEN_KEEPALIVE int SkyrendBench(int Width, int Height) {
  if (!CreatePageContext(Width, Height)) return 1;
  try {
    THeadlessHost Sim(Width, Height, "/skyrend", ParseScript(BenchScript(105)));
    if (!Sim.Step()) return 1;
    // Frames a second of Frames frames of Part, each drawn through.
    auto Time = [&Sim](int Frames, TBenchPart Part) {
      double Busy = 0;
      Submitting = 0;
      for (int i = 0; i < Frames; ++i) {
        StageBenchPart(Sim, Part);
        Busy += TimedStep(Sim);
      }
      return Frames / (Busy / 1000);
    };
    double Title = 0, Play = 0, Wire = 0, TitleSubmit = 0, PlaySubmit = 0, PlayDraws = 0;
    RunBenchParts(Sim, 105, 9, [&](TBenchPart Part) {
      if (Part == TBenchPart::Title) {
        Title = Time(90, Part);
        TitleSubmit = Submitting / 90;
      }
      if (Part == TBenchPart::Wireframe) Wire = Time(300, Part);
      if (Part != TBenchPart::Busy) return;
      const long DrawsBefore = DrawCallCount();
      Play = Time(300, Part);
      PlaySubmit = Submitting / 300;
      PlayDraws = double(DrawCallCount() - DrawsBefore) / 300;
    });
    const TSceneCount Scene = CountScene(Sim.World());
    const double Baseline = BaselineFps(Width, Height, 300);
    std::printf("skyrend web bench %dx%d, %s\n", Width, Height, reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%-44s %8.1f fps\n", "baseline (clear, full-screen quad, finish)", Baseline);
    std::printf("%-44s %8.1f fps  (%.3f of baseline)\n", "title frames", Title, Title / Baseline);
    std::printf("  of which handing the frame to WebGL        %8.2f ms per frame\n", TitleSubmit);
    std::printf("%-44s %8.1f fps  (%.3f of baseline)\n", "play frames, busy scene", Play, Play / Baseline);
    std::printf("  of which handing the frame to WebGL        %8.2f ms per frame, %.0f draw calls\n", PlaySubmit,
                PlayDraws);
    std::printf("%-44s %8.1f fps  (%.3f of baseline)\n", "play frames, busy scene, wireframe scheme", Wire,
                Wire / Baseline);
    std::printf("busy scene: %d aliens, %d rockets, %d player shots, %d alien shots, %d fragments\n", Scene.Aliens,
                Scene.Rockets, Scene.PlayerShots, Scene.AlienShots, Scene.Fragments);
    std::fflush(stdout);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skyrend: %s\n", e.what());
    return 1;
  }
  return 0;
}
