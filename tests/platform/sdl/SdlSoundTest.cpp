// The sound service against the real SDL2_mixer, with SDL's disk audio driver
// writing the mixed output to /dev/null (or with no driver at all).
#include "SdlSound.h"

#include "ClipConversion.h"
#include "SoundClips.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// A RIFF WAVE file of a square wave, mono PCM.
std::vector<uint8_t> MakeWav(int Rate, int Bits, double Seconds) {
  const uint32_t Samples = uint32_t(Rate * Seconds);
  const uint32_t BytesPerSample = uint32_t(Bits / 8);
  const uint32_t DataSize = Samples * BytesPerSample;
  std::vector<uint8_t> W;
  auto Put = [&W](const void* P, size_t N) {
    const uint8_t* B = static_cast<const uint8_t*>(P);
    W.insert(W.end(), B, B + N);
  };
  auto U32 = [&Put](uint32_t V) { Put(&V, 4); };
  auto U16 = [&Put](uint16_t V) { Put(&V, 2); };
  Put("RIFF", 4);
  U32(36 + DataSize);
  Put("WAVEfmt ", 8);
  U32(16);
  U16(1);  // PCM
  U16(1);  // mono
  U32(uint32_t(Rate));
  U32(uint32_t(Rate) * BytesPerSample);
  U16(uint16_t(BytesPerSample));
  U16(uint16_t(Bits));
  Put("data", 4);
  U32(DataSize);
  for (uint32_t i = 0; i < Samples; ++i) {
    const bool High = (i / 25) % 2 == 0;
    if (Bits == 16) {
      const int16_t S = High ? 12000 : -12000;
      Put(&S, 2);
    } else {
      const uint8_t S = High ? 200 : 56;
      Put(&S, 1);
    }
  }
  return W;
}

// Clips like the game's: 16-bit 22050 Hz one-shots and an 8-bit 8000 Hz hum.
struct TTestClips {
  TTestClips() {
    Wavs[0] = MakeWav(22050, 16, 1.25);
    Wavs[1] = MakeWav(22050, 16, 1.4);
    Wavs[2] = MakeWav(22050, 16, 0.86);
    Wavs[3] = MakeWav(22050, 16, 0.5);
    Wavs[4] = MakeWav(8000, 8, 0.5);
    Wavs[5] = MakeWav(22050, 16, 2.1);
    for (int i = 0; i < WaveItemCount; ++i) Bytes[i] = {Wavs[i].data(), Wavs[i].size()};
  }
  std::vector<uint8_t> Wavs[WaveItemCount];
  std::array<TClipBytes, WaveItemCount> Bytes{};
};

void UseDiskAudio(const char* DelayMs = nullptr) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  if (DelayMs) setenv("SDL_DISKAUDIODELAY", DelayMs, 1);
  else unsetenv("SDL_DISKAUDIODELAY");
}

class SdlSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDiskAudio();
    Sound = std::make_unique<TSdlSound>(Clips.Bytes);
    ASSERT_TRUE(Sound->IsOpen()) << SDL_GetError();
    for (int i = 0; i < WaveItemCount; ++i) ASSERT_TRUE(Sound->IsLoaded(i)) << i;
  }
  TTestClips Clips;
  std::unique_ptr<TSdlSound> Sound;
};

TEST_F(SdlSoundTest, SeveralCopiesOfOneClipPlayAtOnce) {
  Sound->Play(WaveMeShoot);
  Sound->Play(WaveMeShoot);
  Sound->Play(WaveMeShoot);
  EXPECT_EQ(Sound->PlayingCopies(WaveMeShoot), 3);
  EXPECT_EQ(Sound->PlayingCopies(WaveAlienHit), 0);
}

TEST_F(SdlSoundTest, ChannelsGrowWhenEveryOneIsBusy) {
  const int Before = Sound->Channels();
  for (int i = 0; i < Before + 10; ++i) Sound->Play(WaveShotObstacle);
  EXPECT_EQ(Sound->PlayingCopies(WaveShotObstacle), Before + 10);
  EXPECT_GE(Sound->Channels(), Before + 10);
}

TEST_F(SdlSoundTest, RestartCutsEveryEarlierCopyOfThatClipOnly) {
  Sound->Play(WaveAlienHit);
  Sound->Play(WaveAlienHit);
  Sound->Play(WaveMeHitObstacle);
  Sound->RestartSound(WaveAlienHit);
  EXPECT_EQ(Sound->PlayingCopies(WaveAlienHit), 1);
  EXPECT_EQ(Sound->PlayingCopies(WaveMeHitObstacle), 1);
  Sound->Stop(WaveAlienHit);
  EXPECT_EQ(Sound->PlayingCopies(WaveAlienHit), 0);
  EXPECT_EQ(Sound->PlayingCopies(WaveMeHitObstacle), 1);
}

TEST_F(SdlSoundTest, TheHumIsOneInstanceThatPlayRestartsAndStopEnds) {
  Sound->Play(WaveRocketHum);
  Sound->Play(WaveRocketHum);
  Sound->RestartSound(WaveRocketHum);
  EXPECT_EQ(Sound->PlayingCopies(WaveRocketHum), 1);
  Sound->Stop(WaveRocketHum);
  EXPECT_EQ(Sound->PlayingCopies(WaveRocketHum), 0);
}

TEST_F(SdlSoundTest, OutOfRangeItemsDoNothing) {
  Sound->Play(-1);
  Sound->Play(WaveItemCount);
  Sound->Stop(99);
  Sound->SetPan(7, 10000);
  Sound->RestartSound(-5);
  for (int i = 0; i < WaveItemCount; ++i) EXPECT_EQ(Sound->PlayingCopies(i), 0);
}

// The disk driver consumes audio about 20 times faster than real time here,
// so a 0.5 s clip is long over after a short wait while a looped one goes on.
TEST(SdlSoundLoop, TheHumLoopsUntilStoppedWhileAOneShotEnds) {
  UseDiskAudio("1");
  TTestClips Clips;
  TSdlSound Sound(Clips.Bytes);
  ASSERT_TRUE(Sound.IsOpen());
  Sound.Play(WaveRocketHum);
  Sound.Play(WaveRockertHit);  // as long as the hum, but played once
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (Sound.PlayingCopies(WaveRockertHit) > 0 && std::chrono::steady_clock::now() < Deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(Sound.PlayingCopies(WaveRockertHit), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Sound.PlayingCopies(WaveRocketHum), 1);
}

// The mixed output, read after the mixer's last stage: mean loudness per side.
class TOutputMeter {
 public:
  TOutputMeter() { Mix_SetPostMix(&TOutputMeter::Tap, this); }
  ~TOutputMeter() { Mix_SetPostMix(nullptr, nullptr); }

  // Starts a new measurement and waits for about 0.1 s of output.
  void Measure() {
    {
      std::lock_guard<std::mutex> Lock(mutex_);
      left_ = right_ = 0;
      frames_ = 0;
    }
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < Deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      std::lock_guard<std::mutex> Lock(mutex_);
      if (frames_ >= 4410) break;
    }
  }
  double Left() {
    std::lock_guard<std::mutex> Lock(mutex_);
    return frames_ ? left_ / double(frames_) : -1;
  }
  double Right() {
    std::lock_guard<std::mutex> Lock(mutex_);
    return frames_ ? right_ / double(frames_) : -1;
  }

 private:
  static void Tap(void* Self, Uint8* Stream, int Length) {
    auto* Meter = static_cast<TOutputMeter*>(Self);
    const auto* S = reinterpret_cast<const int16_t*>(Stream);
    std::lock_guard<std::mutex> Lock(Meter->mutex_);
    for (int i = 0; i + 1 < Length / 2; i += 2) {
      Meter->left_ += std::abs(S[i]);
      Meter->right_ += std::abs(S[i + 1]);
      ++Meter->frames_;
    }
  }
  std::mutex mutex_;
  double left_ = 0, right_ = 0;
  long frames_ = 0;
};

TEST_F(SdlSoundTest, PanAppliesToLaterPlaysWhilePlayingCopiesKeepTheirs) {
  int Rate = 0, Channels = 0;
  Uint16 Format = 0;
  ASSERT_TRUE(Mix_QuerySpec(&Rate, &Format, &Channels));
  ASSERT_EQ(Format, AUDIO_S16SYS);
  ASSERT_EQ(Channels, 2);
  TOutputMeter Meter;

  Sound->SetPan(WaveShotObstacle, 10000);  // right only
  Sound->Play(WaveShotObstacle);
  Meter.Measure();
  EXPECT_EQ(Meter.Left(), 0.0);
  EXPECT_GT(Meter.Right(), 1000.0);

  Sound->SetPan(WaveShotObstacle, -10000);  // left only, for the next copy
  Meter.Measure();
  EXPECT_EQ(Meter.Left(), 0.0) << "the playing copy kept its pan";

  Sound->Play(WaveShotObstacle);
  Meter.Measure();
  EXPECT_GT(Meter.Left(), 1000.0);
  EXPECT_GT(Meter.Right(), 1000.0);
}

TEST_F(SdlSoundTest, CentrePlaysBothSidesAtTheSameLevel) {
  TOutputMeter Meter;
  Sound->SetPan(WaveMeShoot, 0);
  Sound->Play(WaveMeShoot);
  Meter.Measure();
  EXPECT_GT(Meter.Left(), 1000.0);
  EXPECT_NEAR(Meter.Left(), Meter.Right(), Meter.Left() * 0.01);
}

TEST_F(SdlSoundTest, PanningTheHumMovesThePlayingInstanceAtOnce) {
  TOutputMeter Meter;
  Sound->Play(WaveRocketHum);
  Meter.Measure();
  EXPECT_GT(Meter.Left(), 1000.0);
  Sound->SetPan(WaveRocketHum, -10000);  // left only
  Meter.Measure();
  EXPECT_GT(Meter.Left(), 1000.0);
  EXPECT_EQ(Meter.Right(), 0.0);
}

TEST_F(SdlSoundTest, APauseSilencesEveryCopyAndResumeLetsThemPlayOn) {
  TOutputMeter Meter;
  Sound->Play(WaveRocketHum);
  Sound->Play(WaveShotObstacle);
  Sound->PauseAll();
  Meter.Measure();
  EXPECT_EQ(Meter.Left() + Meter.Right(), 0.0);
  EXPECT_EQ(Sound->PlayingCopies(WaveShotObstacle), 1) << "held, not stopped";
  Sound->ResumeAll();
  Meter.Measure();
  EXPECT_GT(Meter.Left(), 1000.0);
}

TEST(SdlSoundWithoutDevice, EveryOperationIsSilentAndHarmless) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  TTestClips Clips;
  TSdlSound Sound(Clips.Bytes);
  EXPECT_FALSE(Sound.IsOpen());
  for (int i = 0; i < WaveItemCount; ++i) {
    Sound.SetPan(i, -10000);
    Sound.Play(i);
    Sound.RestartSound(i);
    Sound.Stop(i);
    EXPECT_FALSE(Sound.IsLoaded(i));
    EXPECT_EQ(Sound.PlayingCopies(i), 0);
  }
  EXPECT_EQ(Sound.Channels(), 0);
}

TEST(SdlSoundWithoutClips, MissingOrBrokenClipsStaySilent) {
  UseDiskAudio();
  const uint8_t Garbage[] = {'R', 'I', 'F', 'F', 1, 2, 3};
  std::array<TClipBytes, WaveItemCount> Bytes{};
  Bytes[0] = {Garbage, sizeof(Garbage)};
  TSdlSound Sound(Bytes);
  ASSERT_TRUE(Sound.IsOpen());
  Sound.Play(0);
  Sound.Play(1);
  EXPECT_FALSE(Sound.IsLoaded(0));
  EXPECT_EQ(Sound.PlayingCopies(0), 0);
  EXPECT_EQ(Sound.PlayingCopies(1), 0);
}

}  // namespace

TEST_F(SdlSoundTest, TheBumpPlaysOutInsteadOfRestartingWhileItStillPlays) {
  Sound->Play(WaveMeHitObstacle);
  Sound->Play(WaveMeHitObstacle);
  Sound->RestartSound(WaveMeHitObstacle);
  EXPECT_EQ(Sound->PlayingCopies(WaveMeHitObstacle), 2) << "neither copy was cut";
  Sound->Stop(WaveMeHitObstacle);
  Sound->RestartSound(WaveMeHitObstacle);
  EXPECT_EQ(Sound->PlayingCopies(WaveMeHitObstacle), 1) << "once it has ended it plays again";
}

// The game's own hum, looping alone: the mixed output's largest step between
// neighbouring samples is no larger than the converted clip's own, so the
// loop's seam adds no click.
TEST(SdlSoundSeam, TheHumLoopsWithoutAClickAtItsSeam) {
  UseDiskAudio("1");
  std::array<TClipBytes, WaveItemCount> Clips{};
  for (int i = 0; i < WaveItemCount; ++i) Clips[i] = {GetSoundClip(i).Data, GetSoundClip(i).Size};
  TSdlSound Sound(Clips);
  ASSERT_TRUE(Sound.IsOpen());
  struct TCapture {
    std::mutex Mutex;
    std::vector<int16_t> Samples;
    bool On = false;
  } Capture;
  Mix_SetPostMix(
      [](void* Self, Uint8* Stream, int Length) {
        auto* C = static_cast<TCapture*>(Self);
        std::lock_guard<std::mutex> Lock(C->Mutex);
        const auto* S = reinterpret_cast<const int16_t*>(Stream);
        if (C->On) C->Samples.insert(C->Samples.end(), S, S + Length / 2);
      },
      &Capture);
  Sound.Play(WaveRocketHum);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  { std::lock_guard<std::mutex> Lock(Capture.Mutex); Capture.On = true; }
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (size_t Have = 0; Have < 44100 * 2 * 3 / 2 && std::chrono::steady_clock::now() < Deadline;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::lock_guard<std::mutex> Lock(Capture.Mutex);
    Have = Capture.Samples.size();
  }
  Mix_SetPostMix(nullptr, nullptr);
  Sound.Stop(WaveRocketHum);
  ASSERT_GE(Capture.Samples.size(), size_t(44100 * 2)) << "over a second of the hum, two seams or more";

  TWavClip Hum;
  ASSERT_TRUE(ReadWavClip(GetSoundClip(WaveRocketHum).Data, GetSoundClip(WaveRocketHum).Size, Hum));
  const int Own = LargestStep(ConvertClip(Hum, 44100, 2, true), 2, false);
  const int Heard = LargestStep(Capture.Samples, 2, false);
  std::printf("hum: largest step %d in the converted clip, %d in 1.5 s of the looping output\n", Own, Heard);
  EXPECT_LE(Heard, Own);
}
