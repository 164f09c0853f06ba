// Skyrend's entry point: the SDL shell with the six sound clips built into the program.
#include <array>

#include "SdlShell.h"
#ifdef SKYREND_HAVE_CLIPS
#include "SoundClips.h"
#endif

namespace {

std::array<TClipBytes, WaveItemCount> BuiltInClips() {
  std::array<TClipBytes, WaveItemCount> Clips{};
#ifdef SKYREND_HAVE_CLIPS
  for (int i = 0; i < WaveItemCount; ++i) {
    const TSoundClip& Clip = GetSoundClip(i);
    Clips[i] = {Clip.Data, Clip.Size};
  }
#endif
  return Clips;
}

}  // namespace

int main(int, char*[]) {
  TSdlShell Shell(BuiltInClips());
  return Shell.RunMainLoop();
}
