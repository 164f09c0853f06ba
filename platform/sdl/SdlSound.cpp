#include "SdlSound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>

namespace {

constexpr int WantedRate = 44100;
constexpr int ChunkFrames = 1024;

// Opens the device for 16-bit stereo (SDL converts if it must; the rate is
// the device's own, so only our code resamples clips) and says its rate, or 0.
int OpenDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  if (Mix_OpenAudioDevice(WantedRate, AUDIO_S16SYS, 2, ChunkFrames, nullptr, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  int Rate = 0, Channels = 0;
  Uint16 Format = 0;
  Mix_QuerySpec(&Rate, &Format, &Channels);
  return Rate;
}

void Feed(void* Self, Uint8* Stream, int Bytes) {
  static_cast<TSdlSound*>(Self)->Mix(reinterpret_cast<int16_t*>(Stream), Bytes / int(2 * sizeof(int16_t)));
}

}  // namespace

TSdlSound::TSdlSound(const std::array<TClipBytes, WaveItemCount>& Clips) : TSoundMixer(Clips, OpenDevice()) {
  if (IsOpen()) Mix_HookMusic(Feed, this);
}

TSdlSound::~TSdlSound() {
  if (!IsOpen()) return;
  Mix_HookMusic(nullptr, nullptr);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
