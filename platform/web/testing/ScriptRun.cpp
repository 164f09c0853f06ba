// A scripted game run in the page exactly as skyrend-sim runs it, through the
// same headless host and frame loop: its trace and the pictures of chosen frames go into the
// page's file system for the test to read. Only the drawing differs: it goes
// to the canvas through our GL subset.
#include <emscripten.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "HeadlessHost.h"
#include "SimRun.h"
#include "ScriptFormat.h"
#include "WebContext.h"

namespace {

bool Wanted(const std::string& Frames, long Frame) {
  const std::string Key = "," + std::to_string(Frame) + ",";
  return ("," + Frames + ",").find(Key) != std::string::npos;
}

bool WriteFile(const std::string& Path, const std::vector<uint8_t>& Bytes) {
  std::FILE* F = std::fopen(Path.c_str(), "wb");
  if (!F) return false;
  const bool Ok = std::fwrite(Bytes.data(), 1, Bytes.size(), F) == Bytes.size();
  return std::fclose(F) == 0 && Ok;
}

// The canvas as RGBA bytes, top row first: call right after a frame, before the page shows it.
std::vector<uint8_t> ReadCanvas(int Width, int Height) {
  const size_t Row = size_t(Width) * 4;
  std::vector<uint8_t> Bottom(Row * size_t(Height)), Rgba(Bottom.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, Bottom.data());
  for (int y = 0; y < Height; ++y)
    std::copy(Bottom.begin() + long(Row) * (Height - 1 - y), Bottom.begin() + long(Row) * (Height - y),
              Rgba.begin() + long(Row) * y);
  return Rgba;
}

}  // namespace

// Runs Frames frames of the script at ScriptPath on a Width x Height canvas,
// writes the trace to TracePath and frame k's picture to /shot-k.rgba for each
// k in the comma-separated ShotFrames. 0 on success, 1 when the game ended or
// a file could not be written, 2 for a bad script (the reason on stderr).
extern "C" EMSCRIPTEN_KEEPALIVE int SkyrendRunScript(const char* ScriptPath, int Frames, int Width, int Height,
                                                     const char* TracePath, const char* ShotFrames) {
  std::vector<TScriptEvent> Events;
  try {
    Events = ReadScriptFile(ScriptPath);
  } catch (const EScriptError& e) {
    std::fprintf(stderr, "skyrend: %s: %s\n", ScriptPath, e.what());
    return 2;
  }
  if (!CreatePageContext(Width, Height)) return 1;
  std::FILE* Trace = std::fopen(TracePath, "wb");
  if (!Trace) return 1;
  int Code = 0;
  {
    THeadlessHost Sim(Width, Height, "/skyrend", std::move(Events));
    TSimRun Run;
    Run.Frames = Frames;
    Run.Trace = Trace;
    Run.AfterFrame = [&](long k) {
      if (!Wanted(ShotFrames, k) || WriteFile("/shot-" + std::to_string(k) + ".rgba", ReadCanvas(Width, Height)))
        return true;
      std::fprintf(stderr, "skyrend: cannot write the picture of frame %ld\n", k);
      return false;
    };
    Code = RunSimFrames(Sim, Run);
  }
  if (std::fclose(Trace) != 0) Code = 1;
  return Code;
}
