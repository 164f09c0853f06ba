// The desktop's sound: the host's mixer playing on SDL2_mixer's device,
// which asks it for every buffer through the music hook. Without an audio
// device the mixer is made for none and every operation does nothing.
#pragma once
#include <array>

#include "SoundMixer.h"

class TSdlSound : public TSoundMixer {
 public:
  // Opens the audio device; the clips are converted to its rate.
  explicit TSdlSound(const std::array<TClipBytes, WaveItemCount>& Clips);
  ~TSdlSound() override;
  TSdlSound(const TSdlSound&) = delete;
  TSdlSound& operator=(const TSdlSound&) = delete;

  // Holds every playing copy where it is, and lets them all play on.
  void PauseAll() { Pause(); }
  void ResumeAll() { Resume(); }

  // False when there is no audio device: the service is silent.
  bool IsOpen() const { return Rate() > 0; }
};
