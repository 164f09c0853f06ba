// The sound service in the browser, on emscripten's OpenAL (Web Audio): the
// six clips as buffers, any number of copies of a one-shot item at once, one
// looping instance of the looped item, stop of every copy, and pan as the
// direction the sound comes from, and a pause of everything (the page's audio
// context is suspended). Without an audio device it is silent.
#pragma once
#include <AL/al.h>
#include <AL/alc.h>

#include <array>
#include <vector>

#include "Services.h"

struct TClipData {
  const unsigned char* Data = nullptr;
  size_t Size = 0;
};

class TWebSound : public ISoundService {
 public:
  explicit TWebSound(const std::array<TClipData, WaveItemCount>& Clips, int LoopedItem = WaveRocketHum);
  ~TWebSound() override;
  TWebSound(const TWebSound&) = delete;
  TWebSound& operator=(const TWebSound&) = delete;

  void Play(int Item) override;
  void Stop(int Item) override;
  void SetPan(int Item, int Pan) override;
  void RestartSound(int Item) override;

  // The player's volume, 0..100, over everything; muted is silence.
  void SetVolume(int Volume, bool Muted);
  // The listener's gain now, 0..1 (0 without a device).
  float Gain() const;

  // Holds every sound where it is, and lets it go on.
  void PauseAll();
  void ResumeAll();

  bool IsOpen() const { return context_ != nullptr; }
  // Copies of the item playing now.
  int PlayingCopies(int Item) const;

 private:
  bool Valid(int Item) const;
  int FreeSource();
  void ApplyPan(ALuint Source, int Pan);

  ALCdevice* device_ = nullptr;
  ALCcontext* context_ = nullptr;
  int looped_;
  std::array<ALuint, WaveItemCount> buffers_{};
  std::array<int, WaveItemCount> pan_{};
  std::vector<ALuint> sources_;
  std::vector<int> sourceItem_;  // the item each source last played
};
