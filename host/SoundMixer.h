// The game's sound, mixed by our own code for every shell: which cue plays on
// which voice, the pan law, the looping hum's seamless join, a 5 ms fade on
// every stop, and headroom with a soft limiter so the mix never reaches full
// scale. A backend (SDL_mixer, the page's OpenAL, a test's recorder) only
// asks for the next frames with Mix. Calls may come from two threads (the
// game's and the audio device's): each takes the mixer's lock.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "Services.h"

// A complete RIFF WAVE file in memory, read only while the mixer is made.
struct TClipBytes {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
};

class TSoundMixer : public ISoundService {
 public:
  // Voices preallocated: when all play, a new copy takes the oldest one's.
  static constexpr int Voices = 64;
  // Fades on stop, on the hum's restart, on pan, volume and pause changes.
  static constexpr double FadeSeconds = 0.005;
  // The loudest sample the limiter lets out, below full scale (32767).
  static constexpr int Ceiling = 31784;

  // Converts the clips to Rate frames a second (stereo output). Rate 0 (no
  // device) or an unreadable clip leaves that clip silent: playing it does nothing.
  TSoundMixer(const std::array<TClipBytes, WaveItemCount>& Clips, int Rate, int LoopedItem = WaveRocketHum,
              int HeldItem = WaveMeHitObstacle);

  void Play(int Item) override;
  void Stop(int Item) override;
  void SetPan(int Item, int Pan) override;
  void RestartSound(int Item) override;

  // The player's volume 0..100; muted is silence.
  void SetVolume(int Volume, bool Muted);
  // A pause fades out in 5 ms and then holds every voice where it is.
  void Pause();
  void Resume();
  // The mix comes back from silence over 5 ms: for a device whose stream ran
  // dry, so it does not start again mid-wave.
  void FadeIn();

  // The next Frames frames, left and right interleaved.
  void Mix(int16_t* Out, int Frames);

  int Rate() const { return rate_; }
  bool IsLoaded(int Item) const;
  // Copies of the item playing now (a copy fading after a stop is not one).
  int PlayingCopies(int Item) const;
  // The clip as converted for this rate, one channel (empty when not loaded).
  const std::vector<int16_t>& Clip(int Item) const;

 private:
  struct TVoice {
    int Item = -1;  // -1: free
    size_t Position = 0;
    float Left = 0, Right = 0;              // gains now
    float TargetLeft = 0, TargetRight = 0;  // where the gains move in FadeSeconds
    bool Looping = false;
    bool Stopping = false;  // fading out, then free
    uint32_t Started = 0;   // order of starting, for taking the oldest
  };

  bool Valid(int Item) const;
  int Copies(int Item) const;
  void StopLocked(int Item);
  void PlayLocked(int Item);
  TVoice& FreeVoice();
  void AimAtPan(TVoice& Voice, int Pan) const;
  void MixVoice(TVoice& Voice, float* Sum, int Frames);

  mutable std::mutex mutex_;
  int rate_;
  int looped_, held_;
  float step_;  // a gain's change a frame: 0 to 1 in FadeSeconds
  std::array<std::vector<int16_t>, WaveItemCount> clips_;
  std::array<int, WaveItemCount> pan_{};
  std::array<TVoice, Voices> voices_{};
  uint32_t started_ = 0;
  float master_ = 1, masterTarget_ = 1;
  bool paused_ = false;
  static constexpr int BlockFrames = 128;
  std::array<float, 2 * BlockFrames> sum_{};  // one block of the mix before the limiter
};
