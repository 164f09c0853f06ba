#include "SdlSound.h"

#include <SDL.h>

#include <algorithm>

#include "ClipConversion.h"

namespace {

constexpr int OutputRate = 44100;
constexpr int OutputChannels = 2;
constexpr int ChunkFrames = 1024;
constexpr int FirstChannels = 16;
constexpr int PanRange = 10000;

}  // namespace

TSdlSound::TSdlSound(const std::array<TClipBytes, WaveItemCount>& Clips, int LoopedItem, int HeldItem)
    : looped_(LoopedItem), held_(HeldItem) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  if (Mix_OpenAudio(OutputRate, MIX_DEFAULT_FORMAT, OutputChannels, ChunkFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  open_ = true;
  Mix_AllocateChannels(FirstChannels);
  int Rate = 0, Channels = 0;
  Uint16 Format = 0;
  const bool Ours = Mix_QuerySpec(&Rate, &Format, &Channels) != 0 && Format == AUDIO_S16SYS;
  for (int i = 0; i < WaveItemCount; ++i) {
    if (!Clips[i].Data || Clips[i].Size == 0) continue;
    // Converted by our code to the device's format (the hum as a seamless
    // loop); the mixer's own loader only for a device of another format.
    TWavClip Clip;
    if (Ours && ReadWavClip(Clips[i].Data, Clips[i].Size, Clip)) {
      samples_[i] = ConvertClip(Clip, Rate, Channels, i == looped_);
      if (!samples_[i].empty())
        chunks_[i] = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples_[i].data()),
                                       Uint32(samples_[i].size() * sizeof(int16_t)));
      continue;
    }
    SDL_RWops* Rw = SDL_RWFromConstMem(Clips[i].Data, int(Clips[i].Size));
    if (Rw) chunks_[i] = Mix_LoadWAV_RW(Rw, 1);
  }
}

TSdlSound::~TSdlSound() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  for (Mix_Chunk*& Chunk : chunks_) {
    if (Chunk) Mix_FreeChunk(Chunk);
    Chunk = nullptr;
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TSdlSound::Valid(int Item) const {
  return open_ && Item >= 0 && Item < WaveItemCount && chunks_[Item] != nullptr;
}

bool TSdlSound::IsLoaded(int Item) const { return Valid(Item); }

int TSdlSound::Channels() const { return open_ ? Mix_AllocateChannels(-1) : 0; }

int TSdlSound::PlayingCopies(int Item) const {
  if (!Valid(Item)) return 0;
  int Copies = 0;
  const int Count = Mix_AllocateChannels(-1);
  for (int c = 0; c < Count; ++c)
    if (Mix_Playing(c) && Mix_GetChunk(c) == chunks_[Item]) ++Copies;
  return Copies;
}

int TSdlSound::FreeChannel() {
  const int Count = Mix_AllocateChannels(-1);
  for (int c = 0; c < Count; ++c)
    if (!Mix_Playing(c)) return c;
  // Every channel is busy: there is no limit on copies, so make room.
  Mix_AllocateChannels(Count * 2);
  return Count;
}

// Pan law: the side the sound moves away from fades linearly to silence while
// the other side stays at full gain, as a balance control does. Pan -10000 is
// left only, 0 both sides at full gain, 10000 right only.
void TSdlSound::ApplyPan(int Channel, int Pan) {
  const int P = std::clamp(Pan, -PanRange, PanRange);
  const int Left = P > 0 ? 255 * (PanRange - P) / PanRange : 255;
  const int Right = P < 0 ? 255 * (PanRange + P) / PanRange : 255;
  Mix_SetPanning(Channel, Uint8(Left), Uint8(Right));
}

void TSdlSound::Play(int Item) {
  if (!Valid(Item)) return;
  if (Item == looped_) {
    // One looping instance: a second Play starts it again from the beginning.
    Stop(Item);
    loopChannel_ = FreeChannel();
    ApplyPan(loopChannel_, pan_[Item]);
    if (Mix_PlayChannel(loopChannel_, chunks_[Item], -1) < 0) loopChannel_ = -1;
    return;
  }
  const int Channel = FreeChannel();
  // A channel keeps its panning effect between plays, so set it every time.
  ApplyPan(Channel, pan_[Item]);
  Mix_PlayChannel(Channel, chunks_[Item], 0);
}

void TSdlSound::Stop(int Item) {
  if (!Valid(Item)) return;
  const int Count = Mix_AllocateChannels(-1);
  for (int c = 0; c < Count; ++c)
    if (Mix_Playing(c) && Mix_GetChunk(c) == chunks_[Item]) Mix_HaltChannel(c);
  if (Item == looped_) loopChannel_ = -1;
}

void TSdlSound::SetPan(int Item, int Pan) {
  if (!Valid(Item)) return;
  pan_[Item] = std::clamp(Pan, -PanRange, PanRange);
  // Copies already playing keep their pan; the looping instance follows at once.
  if (Item == looped_ && loopChannel_ >= 0 && Mix_Playing(loopChannel_) &&
      Mix_GetChunk(loopChannel_) == chunks_[Item])
    ApplyPan(loopChannel_, pan_[Item]);
}

void TSdlSound::RestartSound(int Item) {
  // Restarted on every frame of a contact, the bump would buzz: it plays out.
  if (Item == held_ && PlayingCopies(Item) > 0) return;
  Stop(Item);
  Play(Item);
}

void TSdlSound::PauseAll() {
  if (open_) Mix_Pause(-1);
}

void TSdlSound::ResumeAll() {
  if (open_) Mix_Resume(-1);
}

void TSdlSound::SetVolume(int Volume, bool Muted) {
  if (open_) Mix_MasterVolume(Muted ? 0 : std::clamp(Volume, 0, 100) * MIX_MAX_VOLUME / 100);
}

int TSdlSound::MasterVolume() const { return open_ ? Mix_MasterVolume(-1) : 0; }
