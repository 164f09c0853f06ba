// The sound service on SDL2_mixer: six clips held in memory, played by index.
// Without an audio device every operation does nothing.
#pragma once
#include <SDL_mixer.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Services.h"

// A complete RIFF WAVE file in memory; the bytes must outlive the service only
// while it loads them (the mixer keeps its own converted copy).
struct TClipBytes {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
};

class TSdlSound : public ISoundService {
 public:
  // Opens the audio device and loads the clips, converted to its rate (an
  // empty or unreadable clip stays silent). LoopedItem is the one item that
  // plays as a single looping instance; HeldItem is not restarted while a
  // copy of it still plays.
  explicit TSdlSound(const std::array<TClipBytes, WaveItemCount>& Clips, int LoopedItem = WaveRocketHum,
                     int HeldItem = WaveMeHitObstacle);
  ~TSdlSound() override;
  TSdlSound(const TSdlSound&) = delete;
  TSdlSound& operator=(const TSdlSound&) = delete;

  void Play(int Item) override;
  void Stop(int Item) override;
  void SetPan(int Item, int Pan) override;
  void RestartSound(int Item) override;

  // Holds every playing copy where it is, and lets them all play on.
  void PauseAll();
  void ResumeAll();

  // The player's volume, 0..100, over everything that plays; muted is silence.
  void SetVolume(int Volume, bool Muted);
  // The mixer's master volume now, 0..MIX_MAX_VOLUME (0 without a device).
  int MasterVolume() const;

  // False when there is no audio device: the service is silent.
  bool IsOpen() const { return open_; }
  bool IsLoaded(int Item) const;
  // Copies of the item that are playing now.
  int PlayingCopies(int Item) const;
  int Channels() const;

 private:
  bool Valid(int Item) const;
  int FreeChannel();
  void ApplyPan(int Channel, int Pan);

  bool open_ = false;
  int looped_;
  int held_;
  std::array<std::vector<int16_t>, WaveItemCount> samples_;  // the converted clips the chunks play
  std::array<Mix_Chunk*, WaveItemCount> chunks_{};
  std::array<int, WaveItemCount> pan_{};
  int loopChannel_ = -1;
};
