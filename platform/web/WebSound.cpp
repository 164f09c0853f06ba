#include "WebSound.h"

#include <algorithm>
#include <cmath>

#include "WavClip.h"

// Emscripten's OpenAL pauses and resumes a device (ALC_SOFT_pause_device) by
// suspending and resuming its audio context; its headers do not declare them.
extern "C" void emscripten_alcDevicePauseSOFT(ALCdevice* Device);
extern "C" void emscripten_alcDeviceResumeSOFT(ALCdevice* Device);

namespace {

constexpr int PanRange = 10000;
constexpr size_t FirstSources = 16;

bool Playing(ALuint Source) {
  ALint State = 0;
  alGetSourcei(Source, AL_SOURCE_STATE, &State);
  return State == AL_PLAYING;
}

ALenum FormatOf(const TWavClip& Clip) {
  if (Clip.Channels == 1) return Clip.BitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
  return Clip.BitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

}  // namespace

TWebSound::TWebSound(const std::array<TClipData, WaveItemCount>& Clips, int LoopedItem) : looped_(LoopedItem) {
  device_ = alcOpenDevice(nullptr);
  if (!device_) return;
  context_ = alcCreateContext(device_, nullptr);
  if (!context_ || !alcMakeContextCurrent(context_)) {
    if (context_) alcDestroyContext(context_);
    context_ = nullptr;
    alcCloseDevice(device_);
    device_ = nullptr;
    return;
  }
  for (int i = 0; i < WaveItemCount; ++i) {
    TWavClip Clip;
    if (!ReadWavClip(Clips[i].Data, Clips[i].Size, Clip)) continue;
    alGenBuffers(1, &buffers_[i]);
    alBufferData(buffers_[i], FormatOf(Clip), Clip.Samples, ALsizei(Clip.SampleBytes), Clip.SampleRate);
  }
  sources_.reserve(FirstSources * 4);
  sourceItem_.reserve(FirstSources * 4);
}

TWebSound::~TWebSound() {
  if (!context_) return;
  for (ALuint Source : sources_) alSourceStop(Source);
  if (!sources_.empty()) alDeleteSources(ALsizei(sources_.size()), sources_.data());
  for (ALuint Buffer : buffers_)
    if (Buffer) alDeleteBuffers(1, &Buffer);
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(context_);
  alcCloseDevice(device_);
}

bool TWebSound::Valid(int Item) const {
  return context_ && Item >= 0 && Item < WaveItemCount && buffers_[Item] != 0;
}

int TWebSound::FreeSource() {
  for (size_t s = 0; s < sources_.size(); ++s)
    if (!Playing(sources_[s])) return int(s);
  // Every source is busy: copies are not limited, so make one more.
  ALuint Source = 0;
  alGenSources(1, &Source);
  // Pan is a direction, never a distance: nothing fades with position.
  alSourcei(Source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSourcef(Source, AL_ROLLOFF_FACTOR, 0);
  sources_.push_back(Source);
  sourceItem_.push_back(-1);
  return int(sources_.size() - 1);
}

// Pan -10000 is hard left, 0 straight ahead, 10000 hard right: the source
// sits on the unit circle in front of the listener.
void TWebSound::ApplyPan(ALuint Source, int Pan) {
  const float X = float(std::clamp(Pan, -PanRange, PanRange)) / PanRange;
  alSource3f(Source, AL_POSITION, X, 0, -std::sqrt(1 - X * X));
}

int TWebSound::PlayingCopies(int Item) const {
  int Copies = 0;
  for (size_t s = 0; s < sources_.size(); ++s)
    if (sourceItem_[s] == Item && Playing(sources_[s])) ++Copies;
  return Copies;
}

void TWebSound::Play(int Item) {
  if (!Valid(Item)) return;
  // The looped item has one instance: a second Play starts it again.
  if (Item == looped_) Stop(Item);
  const int S = FreeSource();
  const ALuint Source = sources_[S];
  sourceItem_[S] = Item;
  alSourcei(Source, AL_BUFFER, ALint(buffers_[Item]));
  alSourcei(Source, AL_LOOPING, Item == looped_ ? AL_TRUE : AL_FALSE);
  ApplyPan(Source, pan_[Item]);
  alSourcePlay(Source);
}

void TWebSound::Stop(int Item) {
  if (!Valid(Item)) return;
  for (size_t s = 0; s < sources_.size(); ++s)
    if (sourceItem_[s] == Item && Playing(sources_[s])) alSourceStop(sources_[s]);
}

void TWebSound::SetPan(int Item, int Pan) {
  if (!Valid(Item)) return;
  pan_[Item] = std::clamp(Pan, -PanRange, PanRange);
  // Copies already playing keep their pan; the looping instance follows at once.
  if (Item != looped_) return;
  for (size_t s = 0; s < sources_.size(); ++s)
    if (sourceItem_[s] == Item && Playing(sources_[s])) ApplyPan(sources_[s], pan_[Item]);
}

void TWebSound::RestartSound(int Item) {
  // Restarted on every frame of a contact, the bump would buzz: it plays out.
  if (Item == WaveMeHitObstacle && PlayingCopies(Item) > 0) return;
  Stop(Item);
  Play(Item);
}

void TWebSound::PauseAll() {
  if (device_) emscripten_alcDevicePauseSOFT(device_);
}

void TWebSound::ResumeAll() {
  if (device_) emscripten_alcDeviceResumeSOFT(device_);
}

void TWebSound::SetVolume(int Volume, bool Muted) {
  if (!context_) return;
  alListenerf(AL_GAIN, Muted ? 0.0f : float(std::clamp(Volume, 0, 100)) / 100.0f);
}

float TWebSound::Gain() const {
  if (!context_) return 0;
  float Gain = 0;
  alGetListenerf(AL_GAIN, &Gain);
  return Gain;
}
