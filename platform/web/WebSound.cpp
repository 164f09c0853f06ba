#include "WebSound.h"

#include <emscripten.h>

#include <algorithm>

// Emscripten's OpenAL pauses and resumes a device (ALC_SOFT_pause_device) by
// suspending and resuming its audio context; its headers do not declare them.
extern "C" void emscripten_alcDevicePauseSOFT(ALCdevice* Device);
extern "C" void emscripten_alcDeviceResumeSOFT(ALCdevice* Device);

namespace {

// The queue lasts this many times the longest recent gap between display
// frames, within these bounds: short enough that a shot is heard with its
// picture, long enough for a page that shows 15 pictures a second.
constexpr double GapsQueued = 2.5;
constexpr double LeastQueuedMs = 80;
constexpr double MostQueuedMs = 400;

// The runtime resumes the audio context on the page's first key, click or
// touch, paused game or not: while the game is paused it is suspended again.
EM_JS(void, SuspendResumedAudio, (), {
  if (typeof AL === 'undefined' || !AL.currentCtx) return;
  const Context = AL.currentCtx.audioCtx;
  if (Context.state === 'running') Context.suspend();
});

// The runtime hands queued buffers to Web Audio only this far ahead, from a
// timer on the page's main thread: a frame that takes longer would leave the
// stream dry with buffers still waiting in the queue. All of them go at once.
EM_JS(void, HandOverWholeQueue, (double Seconds), {
  if (typeof AL !== 'undefined') AL.QUEUE_LOOKAHEAD = Math.max(AL.QUEUE_LOOKAHEAD, Seconds);
});

}  // namespace

TPageAudio::TPageAudio() {
  Device = alcOpenDevice(nullptr);
  if (!Device) return;
  Context = alcCreateContext(Device, nullptr);
  if (!Context || !alcMakeContextCurrent(Context)) {
    if (Context) alcDestroyContext(Context);
    Context = nullptr;
    alcCloseDevice(Device);
    Device = nullptr;
    return;
  }
  ALCint Rate = 0;
  alcGetIntegerv(Device, ALC_FREQUENCY, 1, &Rate);
  DeviceRate = Rate;
}

TPageAudio::~TPageAudio() {
  if (!Context) return;
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(Context);
  alcCloseDevice(Device);
}

TWebSound::TWebSound(const std::array<TClipBytes, WaveItemCount>& Clips) : TSoundMixer(Clips, DeviceRate) {
  if (!Context) return;
  alGenSources(1, &source_);
  // The mix is already panned: the stream plays as it is, never placed in space.
  alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
  alSourcef(source_, AL_ROLLOFF_FACTOR, 0);
  HandOverWholeQueue(MostQueuedMs / 1000 + 0.05);
  alGenBuffers(Buffers, buffers_.data());
  free_ = buffers_;
  freeCount_ = Buffers;
}

TWebSound::~TWebSound() {
  if (!Context) return;
  alSourceStop(source_);
  alSourcei(source_, AL_BUFFER, 0);
  alDeleteSources(1, &source_);
  alDeleteBuffers(Buffers, buffers_.data());
}

void TWebSound::Pump(double NowMs) {
  if (!Context) return;
  if (held_) {
    SuspendResumedAudio();
    return;
  }
  const double Gap = lastFrame_ > 0 ? NowMs - lastFrame_ : 0;
  lastFrame_ = NowMs;
  longestGap_ = std::max(Gap, longestGap_ * 0.98);
  const double WantedMs = std::clamp(GapsQueued * longestGap_, LeastQueuedMs, MostQueuedMs);
  const double BufferMs = 1000.0 * BufferFrames / Rate();

  // Asking for the play offset brings the runtime's count of played buffers
  // and the stream's state up to now; otherwise they lag until its next timer.
  ALfloat Offset = 0;
  alGetSourcef(source_, AL_SEC_OFFSET, &Offset);
  ALint Done = 0, Queued = 0, State = 0;
  alGetSourcei(source_, AL_SOURCE_STATE, &State);
  // A stream that ran dry (the page stalled longer than its queue) comes back softly.
  if (State == AL_STOPPED) FadeIn();
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &Done);
  for (; Done > 0; --Done) alSourceUnqueueBuffers(source_, 1, &free_[size_t(freeCount_++)]);
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &Queued);
  while (freeCount_ > 0 && Queued * BufferMs < WantedMs) {
    Mix(block_.data(), BufferFrames);
    const ALuint Buffer = free_[size_t(--freeCount_)];
    alBufferData(Buffer, AL_FORMAT_STEREO16, block_.data(), ALsizei(sizeof(block_)), Rate());
    alSourceQueueBuffers(source_, 1, &Buffer);
    ++Queued;
  }
  // A stream that ran dry, or has not begun, starts.
  alGetSourcei(source_, AL_SOURCE_STATE, &State);
  if (State != AL_PLAYING && Queued > 0) alSourcePlay(source_);
}

void TWebSound::PauseAll() {
  if (!Context || held_) return;
  held_ = true;
  Pause();
  alSourcePause(source_);
  emscripten_alcDevicePauseSOFT(Device);
}

void TWebSound::ResumeAll() {
  if (!Context) return;
  if (held_) {
    held_ = false;
    Resume();
    lastFrame_ = 0;  // the pause is no gap between frames
    alSourcePlay(source_);
  }
  emscripten_alcDeviceResumeSOFT(Device);
}
