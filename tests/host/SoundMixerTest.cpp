// The sound policy every shell plays through, recorded into memory: voices,
// the bump and hum rules, pan, fades on stop, headroom, volume and pause.
#include "SoundMixer.h"

#include <gtest/gtest.h>

#include "ClipConversion.h"
#include "SoundClips.h"
#include "TestClips.h"

namespace {

constexpr int Rate = 44100;
constexpr int FadeFrames = int(TSoundMixer::FadeSeconds * Rate) + 1;

class SoundMixerTest : public ::testing::Test {
 protected:
  TTestClips Clips;
  TSoundMixer Mixer{Clips.Bytes, Rate};
};

TEST_F(SoundMixerTest, CopiesPlayTogetherUntilEveryVoiceIsTakenThenTheOldestMakesRoom) {
  Mixer.Play(WaveRocketHum);
  for (int i = 0; i < 3; ++i) Mixer.Play(WaveMeShoot);
  EXPECT_EQ(Mixer.PlayingCopies(WaveMeShoot), 3);
  for (int i = 0; i < TSoundMixer::Voices; ++i) Mixer.Play(WaveShotObstacle);
  EXPECT_EQ(Mixer.PlayingCopies(WaveMeShoot), 0) << "the three oldest gave their voices";
  EXPECT_EQ(Mixer.PlayingCopies(WaveShotObstacle), TSoundMixer::Voices - 1);
  EXPECT_EQ(Mixer.PlayingCopies(WaveRocketHum), 1) << "the hum, older still, plays on";
}

TEST_F(SoundMixerTest, RestartCutsEarlierCopiesOfThatItemOnlyAndTheBumpPlaysOut) {
  Mixer.Play(WaveAlienHit);
  Mixer.Play(WaveAlienHit);
  Mixer.Play(WaveMeHitObstacle);
  Mixer.Play(WaveMeHitObstacle);
  Mixer.RestartSound(WaveAlienHit);
  Mixer.RestartSound(WaveMeHitObstacle);
  EXPECT_EQ(Mixer.PlayingCopies(WaveAlienHit), 1);
  EXPECT_EQ(Mixer.PlayingCopies(WaveMeHitObstacle), 2) << "the bump is not cut while it plays";
  Mixer.Stop(WaveMeHitObstacle);
  Mixer.RestartSound(WaveMeHitObstacle);
  EXPECT_EQ(Mixer.PlayingCopies(WaveMeHitObstacle), 1) << "once it has ended it plays again";
  EXPECT_EQ(Mixer.PlayingCopies(WaveAlienHit), 1);
}

TEST_F(SoundMixerTest, TheHumIsOneInstanceThatPlayRestartsAndStopEnds) {
  Mixer.Play(WaveRocketHum);
  Mixer.Play(WaveRocketHum);
  Mixer.RestartSound(WaveRocketHum);
  EXPECT_EQ(Mixer.PlayingCopies(WaveRocketHum), 1);
  Record(Mixer, Rate);  // a second: the half-second clip loops on
  EXPECT_EQ(Mixer.PlayingCopies(WaveRocketHum), 1);
  Mixer.Stop(WaveRocketHum);
  EXPECT_EQ(Mixer.PlayingCopies(WaveRocketHum), 0);
}

TEST_F(SoundMixerTest, BadItemsAndAMixerWithoutDeviceDoNothing) {
  TSoundMixer Silent(Clips.Bytes, 0);
  for (TSoundMixer* M : {&Mixer, &Silent})
    for (int Item : {-1, int(WaveItemCount), 99}) {
      M->Play(Item), M->SetPan(Item, 10000), M->RestartSound(Item), M->Stop(Item);
      EXPECT_EQ(M->PlayingCopies(Item), 0);
    }
  for (int i = 0; i < WaveItemCount; ++i) Silent.Play(i);
  EXPECT_FALSE(Silent.IsLoaded(WaveMeShoot));
  EXPECT_EQ(Peak(Record(Silent, 1000)), 0);
}

// One pan law: the far side fades linearly, the near side stays at full gain;
// the one copy of a square wave at 12000 comes out at 0.8 of that.
TEST_F(SoundMixerTest, PanSetsEachSidesGain) {
  const struct { int Pan, Left, Right; } Cases[] = {
      {0, 9600, 9600}, {-10000, 9600, 0}, {10000, 0, 9600}, {5000, 4800, 9600}, {-2500, 9600, 7200}};
  for (const auto& C : Cases) {
    TSoundMixer M(Clips.Bytes, Rate);
    M.SetPan(WaveMeShoot, C.Pan);
    M.Play(WaveMeShoot);
    const auto S = Record(M, 4000);
    EXPECT_NEAR(Peak(S, 0), C.Left, 2) << C.Pan;
    EXPECT_NEAR(Peak(S, 1), C.Right, 2) << C.Pan;
  }
}

TEST_F(SoundMixerTest, PlayingCopiesKeepTheirPanWhileTheHumFollowsAtOnce) {
  Mixer.SetPan(WaveShotObstacle, 10000);
  Mixer.Play(WaveShotObstacle);
  Mixer.SetPan(WaveShotObstacle, -10000);
  EXPECT_EQ(Peak(Record(Mixer, 2000), 0), 0) << "the playing copy kept its pan";
  Mixer.Stop(WaveShotObstacle);
  Mixer.Play(WaveRocketHum);
  Record(Mixer, 2000);
  Mixer.SetPan(WaveRocketHum, -10000);
  Record(Mixer, FadeFrames);
  EXPECT_EQ(Peak(Record(Mixer, 2000), 1), 0);
}

// A restart anywhere in the hum's loop, its return after a device ran dry
// and its stop step no more than the loop itself does; 5 ms after the stop
// it is silent.
TEST(SoundMixerFades, StopsAndRestartsOfTheGamesHumAreNoClick) {
  std::array<TClipBytes, WaveItemCount> Game{};
  for (int i = 0; i < WaveItemCount; ++i) Game[i] = {GetSoundClip(i).Data, GetSoundClip(i).Size};
  for (int Rate : {44100, 48000})
    for (int At = 0; At < 4000; At += 157) {
      TSoundMixer M(Game, Rate);
      M.Play(WaveRocketHum);
      auto S = Record(M, At + 2 * Rate / 3);
      M.Play(WaveRocketHum);
      const auto Restart = Record(M, Rate / 10);
      S.insert(S.end(), Restart.begin(), Restart.end());
      M.FadeIn();  // after silence
      auto Back = Record(M, Rate / 10);
      Back.insert(Back.begin(), {0, 0});
      M.Stop(WaveRocketHum);
      const auto Stop = Record(M, int(TSoundMixer::FadeSeconds * Rate) + 2);
      Back.insert(Back.end(), Stop.begin(), Stop.end());
      const int Own = LargestStep(M.Clip(WaveRocketHum), 1, true);
      ASSERT_LE(LargestStep(S, 2, false), Own) << Rate << " Hz, restarted at " << At;
      ASSERT_LE(LargestStep(Back, 2, false), Own) << Rate << " Hz, back and stopped at " << At;
      ASSERT_EQ(Peak(Record(M, 100)), 0);
    }
}

TEST_F(SoundMixerTest, ABusyMixStaysBelowFullScaleAndVolumeAndMuteScaleIt) {
  for (int i = 0; i < TSoundMixer::Voices; ++i) Mixer.Play(i % WaveItemCount);
  const int Loud = Peak(Record(Mixer, Rate / 2));
  EXPECT_LE(Loud, TSoundMixer::Ceiling);
  EXPECT_GT(Loud, 30000) << "limited, not silenced";
  for (int i = 0; i < WaveItemCount; ++i) Mixer.Stop(i);
  Mixer.SetVolume(50, false);
  Record(Mixer, FadeFrames);
  Mixer.Play(WaveMeShoot);
  EXPECT_NEAR(Peak(Record(Mixer, 2000)), 4800, 2);
  Mixer.SetVolume(50, true);
  Record(Mixer, FadeFrames);
  EXPECT_EQ(Peak(Record(Mixer, 2000)), 0);
}

TEST_F(SoundMixerTest, APauseHoldsEveryVoiceUntilResumed) {
  Mixer.Play(WaveRockertHit);  // half a second
  Record(Mixer, Rate / 4);
  Mixer.Pause();
  Record(Mixer, FadeFrames + 256);
  EXPECT_EQ(Peak(Record(Mixer, Rate)), 0);
  EXPECT_EQ(Mixer.PlayingCopies(WaveRockertHit), 1) << "held, not stopped";
  Mixer.Resume();
  Record(Mixer, Rate / 5);
  EXPECT_GT(Peak(Record(Mixer, 1000)), 9000) << "it plays on from where it was";
  Record(Mixer, Rate / 10);
  EXPECT_EQ(Mixer.PlayingCopies(WaveRockertHit), 0);
}

}  // namespace
