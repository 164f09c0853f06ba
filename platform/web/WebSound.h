// The page's sound: the host's mixer streamed through emscripten's OpenAL
// (Web Audio). Once a display frame Pump queues the next mixed buffers, as
// many as the gaps between display frames need, so a page showing 15 pictures
// a second still plays without a gap. While the game is paused the stream and
// the page's audio context stay suspended, whatever the player clicks or
// presses. Without an audio device the mixer is made for none: silent.
#pragma once
#include <AL/al.h>
#include <AL/alc.h>

#include <array>

#include "SoundMixer.h"

using TClipData = TClipBytes;

// The page's audio device and its context, made before the mixer that needs its rate.
struct TPageAudio {
  TPageAudio();
  ~TPageAudio();
  ALCdevice* Device = nullptr;
  ALCcontext* Context = nullptr;
  int DeviceRate = 0;  // 0 without a device
};

class TWebSound : private TPageAudio, public TSoundMixer {
 public:
  explicit TWebSound(const std::array<TClipBytes, WaveItemCount>& Clips);
  ~TWebSound() override;
  TWebSound(const TWebSound&) = delete;
  TWebSound& operator=(const TWebSound&) = delete;

  // Once a display frame (NowMs: the frame's time): the queue topped up, or
  // while paused the audio context suspended again if the browser resumed it.
  void Pump(double NowMs);

  // Holds everything where it is (the audio context is suspended), and lets it go on.
  void PauseAll();
  void ResumeAll();

  bool IsOpen() const { return Context != nullptr; }

  static constexpr int BufferFrames = 1024;

 private:
  static constexpr int Buffers = 24;  // over 400 ms at 48000 frames a second

  ALuint source_ = 0;
  std::array<ALuint, Buffers> buffers_{};
  std::array<ALuint, Buffers> free_{};  // of those, the ones not queued
  int freeCount_ = 0;
  std::array<int16_t, 2 * BufferFrames> block_{};
  double lastFrame_ = 0;
  double longestGap_ = 0;  // ms between display frames, slowly forgotten
  bool held_ = false;
};
