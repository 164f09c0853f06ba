#include "SoundMixer.h"

#include <algorithm>
#include <cmath>

#include "ClipConversion.h"
#include "WavClip.h"

namespace {

constexpr int PanRange = 10000;
// Everything is mixed 2 dB down; above the knee the limiter bends the mix
// smoothly towards Ceiling, so overlapping shots never clip.
constexpr float Headroom = 0.8f;
constexpr float Knee = 19660;  // 60% of full scale

float Towards(float Now, float Target, float Step) { return Now + std::clamp(Target - Now, -Step, Step); }

int16_t Limit(float X) {
  const float A = std::fabs(X);
  if (A <= Knee) return int16_t(std::lround(X));
  const float Room = float(TSoundMixer::Ceiling) - Knee;
  const float Bent = Knee + Room * std::tanh((A - Knee) / Room);
  return int16_t(std::lround(X < 0 ? -Bent : Bent));
}

}  // namespace

TSoundMixer::TSoundMixer(const std::array<TClipBytes, WaveItemCount>& Clips, int Rate, int LoopedItem, int HeldItem)
    : rate_(std::max(Rate, 0)),
      looped_(LoopedItem),
      held_(HeldItem),
      step_(rate_ > 0 ? float(1.0 / (FadeSeconds * rate_)) : 1.0f) {
  for (int i = 0; i < WaveItemCount; ++i) {
    TWavClip Clip;
    if (rate_ > 0 && Clips[i].Data && ReadWavClip(Clips[i].Data, Clips[i].Size, Clip))
      clips_[i] = ConvertClip(Clip, rate_, 1, i == looped_);
  }
}

bool TSoundMixer::Valid(int Item) const { return Item >= 0 && Item < WaveItemCount && !clips_[Item].empty(); }

bool TSoundMixer::IsLoaded(int Item) const { return Valid(Item); }

const std::vector<int16_t>& TSoundMixer::Clip(int Item) const {
  static const std::vector<int16_t> None;
  return Valid(Item) ? clips_[Item] : None;
}

int TSoundMixer::Copies(int Item) const {
  int N = 0;
  for (const TVoice& V : voices_)
    if (V.Item == Item && !V.Stopping) ++N;
  return N;
}

int TSoundMixer::PlayingCopies(int Item) const {
  std::lock_guard<std::mutex> Lock(mutex_);
  return Valid(Item) ? Copies(Item) : 0;
}

// Pan law: the side the sound moves away from fades linearly to silence while
// the other stays at full gain, as a balance control does: -10000 is left
// only, 0 both sides at full gain, 10000 right only.
void TSoundMixer::AimAtPan(TVoice& Voice, int Pan) const {
  const float P = float(std::clamp(Pan, -PanRange, PanRange)) / PanRange;
  Voice.TargetLeft = P > 0 ? 1 - P : 1;
  Voice.TargetRight = P < 0 ? 1 + P : 1;
}

TSoundMixer::TVoice& TSoundMixer::FreeVoice() {
  // Every voice plays: a copy already fading out goes first, then the
  // oldest; the looping hum goes last.
  const auto Rank = [](const TVoice& V) { return V.Stopping ? 0 : V.Looping ? 2 : 1; };
  TVoice* Oldest = nullptr;
  for (TVoice& V : voices_) {
    if (V.Item < 0) return V;
    if (!Oldest || Rank(V) < Rank(*Oldest) || (Rank(V) == Rank(*Oldest) && V.Started < Oldest->Started))
      Oldest = &V;
  }
  return *Oldest;
}

void TSoundMixer::PlayLocked(int Item) {
  const bool Loop = Item == looped_;
  // The looped item has one instance: a second Play fades the old one out.
  if (Loop) StopLocked(Item);
  TVoice& V = FreeVoice();
  V = TVoice{};
  V.Item = Item;
  V.Looping = Loop;
  V.Started = ++started_;
  AimAtPan(V, pan_[Item]);
  // A one-shot starts as its clip does; the loop, cut in anywhere, fades in.
  if (!Loop) {
    V.Left = V.TargetLeft;
    V.Right = V.TargetRight;
  }
}

void TSoundMixer::StopLocked(int Item) {
  for (TVoice& V : voices_)
    if (V.Item == Item && !V.Stopping) {
      V.Stopping = true;
      V.TargetLeft = V.TargetRight = 0;
    }
}

void TSoundMixer::Play(int Item) {
  std::lock_guard<std::mutex> Lock(mutex_);
  if (Valid(Item)) PlayLocked(Item);
}

void TSoundMixer::Stop(int Item) {
  std::lock_guard<std::mutex> Lock(mutex_);
  if (Valid(Item)) StopLocked(Item);
}

void TSoundMixer::SetPan(int Item, int Pan) {
  std::lock_guard<std::mutex> Lock(mutex_);
  if (!Valid(Item)) return;
  pan_[Item] = std::clamp(Pan, -PanRange, PanRange);
  // Copies already playing keep their pan; the looping instance follows at once.
  if (Item != looped_) return;
  for (TVoice& V : voices_)
    if (V.Item == Item && !V.Stopping) AimAtPan(V, pan_[Item]);
}

void TSoundMixer::RestartSound(int Item) {
  std::lock_guard<std::mutex> Lock(mutex_);
  if (!Valid(Item)) return;
  // Restarted on every frame of a contact, the bump would buzz: it plays out.
  if (Item == held_ && Copies(Item) > 0) return;
  StopLocked(Item);
  PlayLocked(Item);
}

void TSoundMixer::SetVolume(int Volume, bool Muted) {
  std::lock_guard<std::mutex> Lock(mutex_);
  masterTarget_ = Muted ? 0 : float(std::clamp(Volume, 0, 100)) / 100;
}

void TSoundMixer::Pause() {
  std::lock_guard<std::mutex> Lock(mutex_);
  paused_ = true;
}

void TSoundMixer::Resume() {
  std::lock_guard<std::mutex> Lock(mutex_);
  paused_ = false;
}

void TSoundMixer::FadeIn() {
  std::lock_guard<std::mutex> Lock(mutex_);
  master_ = 0;
}

// Adds Frames frames of the voice to Sum; frees the voice when it ends.
void TSoundMixer::MixVoice(TVoice& V, float* Sum, int Frames) {
  const std::vector<int16_t>& Clip = clips_[V.Item];
  for (int f = 0; f < Frames; ++f) {
    V.Left = Towards(V.Left, V.TargetLeft, step_);
    V.Right = Towards(V.Right, V.TargetRight, step_);
    const float S = Clip[V.Position];
    Sum[2 * f] += S * V.Left;
    Sum[2 * f + 1] += S * V.Right;
    if (++V.Position == Clip.size()) {
      if (!V.Looping) break;
      V.Position = 0;
    }
    if (V.Stopping && V.Left == 0 && V.Right == 0) break;
  }
  if ((V.Position == Clip.size() && !V.Looping) || (V.Stopping && V.Left == 0 && V.Right == 0)) V.Item = -1;
}

void TSoundMixer::Mix(int16_t* Out, int Frames) {
  std::lock_guard<std::mutex> Lock(mutex_);
  while (Frames > 0) {
    const int N = std::min(Frames, BlockFrames);
    const float Target = paused_ ? 0 : masterTarget_;
    if (paused_ && master_ == 0) {
      // Held: nothing moves until the game plays on.
      std::fill(Out, Out + 2 * N, int16_t(0));
    } else {
      std::fill(sum_.begin(), sum_.begin() + 2 * N, 0.0f);
      for (TVoice& V : voices_)
        if (V.Item >= 0) MixVoice(V, sum_.data(), N);
      for (int f = 0; f < N; ++f) {
        master_ = Towards(master_, Target, step_);
        const float Gain = master_ * Headroom;
        Out[2 * f] = Limit(sum_[2 * f] * Gain);
        Out[2 * f + 1] = Limit(sum_[2 * f + 1] * Gain);
      }
    }
    Out += 2 * N;
    Frames -= N;
  }
}
