// Skyrend's entry point: the SDL shell with the six sound clips built into the
// program, optionally recording or playing a demo.
#include <array>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "DemoSession.h"
#include "SdlShell.h"
#include "SoundClips.h"

namespace {

std::array<TClipBytes, WaveItemCount> BuiltInClips() {
  std::array<TClipBytes, WaveItemCount> Clips{};
  for (int i = 0; i < WaveItemCount; ++i) {
    const TSoundClip& Clip = GetSoundClip(i);
    Clips[i] = {Clip.Data, Clip.Size};
  }
  return Clips;
}

}  // namespace

int main(int argc, char* argv[]) {
  TSdlShell Shell(BuiltInClips());
  // The demo options are the only ones read; anything else is ignored as before.
  const std::string Option = argc > 1 ? argv[1] : "";
  if (Option == "--record" || Option == "--play") {
    if (argc != 3) {
      std::fprintf(stderr, "usage: skyrend [--record FILE | --play FILE]\n");
      return 2;
    }
    try {
      const auto Mode = Option == "--record" ? TDemoSession::TMode::Record : TDemoSession::TMode::Play;
      Shell.SetDemo(std::make_unique<TDemoSession>(Mode, argv[2]));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "skyrend: %s: %s\n", argv[2], e.what());
      return 2;
    }
  }
  return Shell.RunMainLoop();
}
