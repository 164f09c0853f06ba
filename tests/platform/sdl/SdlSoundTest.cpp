// The mixer on the real SDL2_mixer device, with SDL's disk audio driver
// writing the mixed output to /dev/null (or with no driver at all). What the
// mixer decides is tested in the host's SoundMixerTest.
#include "SdlSound.h"

#include "ClipConversion.h"
#include "SoundClips.h"
#include "TestClips.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

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
    ASSERT_EQ(Sound->Rate(), 44100);
    for (int i = 0; i < WaveItemCount; ++i) ASSERT_TRUE(Sound->IsLoaded(i)) << i;
  }
  TTestClips Clips;
  std::unique_ptr<TSdlSound> Sound;
};

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

TEST_F(SdlSoundTest, PanningTheHumMovesThePlayingInstanceAtOnce) {
  TOutputMeter Meter;
  Sound->Play(WaveRocketHum);
  Meter.Measure();
  EXPECT_GT(Meter.Left(), 1000.0);
  Sound->SetPan(WaveRocketHum, -10000);  // left only, after a 5 ms glide
  Meter.Measure();
  Meter.Measure();
  EXPECT_GT(Meter.Left(), 1000.0);
  EXPECT_EQ(Meter.Right(), 0.0);
}

TEST_F(SdlSoundTest, APauseSilencesEveryCopyAndResumeLetsThemPlayOn) {
  TOutputMeter Meter;
  Sound->Play(WaveRocketHum);
  Sound->Play(WaveShotObstacle);
  Sound->PauseAll();
  Meter.Measure();  // the 5 ms fade out
  Meter.Measure();
  EXPECT_EQ(Meter.Left() + Meter.Right(), 0.0);
  EXPECT_EQ(Sound->PlayingCopies(WaveShotObstacle), 1) << "held, not stopped";
  Sound->ResumeAll();
  Meter.Measure();
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

// The game's own hum, started, looping alone and stopped: the device's
// output steps between neighbouring samples no more than the converted clip
// does, so neither the loop's seam nor the start or stop is a click.
TEST(SdlSoundSeam, TheHumStartsLoopsAndStopsWithoutAClick) {
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
  { std::lock_guard<std::mutex> Lock(Capture.Mutex); Capture.On = true; }
  Sound.Play(WaveRocketHum);
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (size_t Have = 0; Have < 44100 * 2 * 3 / 2 && std::chrono::steady_clock::now() < Deadline;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::lock_guard<std::mutex> Lock(Capture.Mutex);
    Have = Capture.Samples.size();
  }
  Sound.Stop(WaveRocketHum);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  Mix_SetPostMix(nullptr, nullptr);
  ASSERT_GE(Capture.Samples.size(), size_t(44100 * 2)) << "over a second of the hum, two seams or more";

  const int Own = LargestStep(Sound.Clip(WaveRocketHum), 1, true);
  const int Heard = LargestStep(Capture.Samples, 2, false);
  std::printf("hum: largest step %d in the converted clip, %d in the output from its start to its stop\n", Own, Heard);
  EXPECT_LE(Heard, Own);
}
