// The frame driver: start-up frame, title frames, play frames, the game over.
#include <gtest/gtest.h>

#include "FormOnFakes.h"
#include "TestModels.h"

namespace {

class FrameDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeTempFolder();
    WriteDefaultModels(folder);
    host = TFormOnFakes::WithContext(320, 240, folder);
  }
  void TearDown() override {
    host.reset();
    RemoveFolder(folder);
  }
  TWorldUnderTest& form() { return *host->World; }
  TPicture& picture() { return host->Form->Picture(); }
  // The colour of a backdrop pixel in the upper band, away from the overlay.
  uint32_t SkyPixel() { return host->Context->PixelAt(300, 60); }
  // An alien sitting on the player: the next world update counts one hit.
  TBlob& AlienOnThePlayer() {
    TBlob& alien = *(*form().Aliens)[0];
    alien.SetActive(true);
    alien.State = 1;
    alien.Speed = 0;
    alien.Radius = 30;
    alien.Position = form().Player->Position;
    return alien;
  }

  std::string folder;
  std::unique_ptr<TFormOnFakes> host;
};

TEST_F(FrameDriver, FirstPaintOnlyStartsUp) {
  form().HitsByAlien = 3;  // would start a game over in any later frame
  host->Ticks.StepPerRead = 5;
  EXPECT_TRUE(host->Frame()) << (host->Messages.Messages.empty() ? "" : host->Messages.Messages[0]);
  EXPECT_EQ(form().StartupPending, 0);
  EXPECT_TRUE(picture().Models()[FloorTileSlot] != nullptr);
  EXPECT_EQ(form().Caption, "");
  EXPECT_EQ(form().GameOverTimer, 0);
  EXPECT_EQ(form().TitleFrames, 0);
}

TEST_F(FrameDriver, TitleFramesCountAndSpinTheLogo) {
  host->Frame();
  for (int i = 0; i < 3; ++i) host->Frame();
  EXPECT_EQ(form().OnTitleScreen, 1);
  EXPECT_EQ(form().TitleFrames, 3);
  EXPECT_FLOAT_EQ(form().LogoSpin.x, 3);
  EXPECT_FLOAT_EQ(form().LogoSpin.y, 6);
  EXPECT_FLOAT_EQ(form().LogoSpin.z, 0);
  // Held Up adds 1 to the speed at each poll: the title frame polls once.
  host->Input.Set(StateUp, true);
  host->Frame();
  EXPECT_FLOAT_EQ(form().Player->Speed, 1) << "the title frame polls the input once";
}

TEST_F(FrameDriver, PlayFrameDrawsTheSchemeAndStepsTheRadar) {
  host->Frame();
  host->Frame();
  form().OnTitleScreen = 0;
  host->Input.Set(StateLeft, true);
  host->Frame();
  EXPECT_FLOAT_EQ(form().Player->Rotation.y, -2) << "the play frame polls the input once";
  EXPECT_FLOAT_EQ(form().RadarSweep, 15) << "0 steps to -0.1, which wraps to 15";
  EXPECT_EQ(form().TitleFrames, 1) << "play frames do not count title frames";
  // Scheme 0: the top edge is blue, fading to (0.4, 0.4, 0.5) at the horizon.
  const uint32_t top = host->Context->PixelAt(300, 0);
  EXPECT_LE(top >> 16, 3u);
  EXPECT_GE(top & 0xff, 250u);
}

TEST_F(FrameDriver, ThreeHitsStartAHundredFrameGameOverFlashingRedTenFramesInTwenty) {
  host->Frame();
  host->Frame();
  form().OnTitleScreen = 0;
  form().Score = 1234;
  form().Player->Speed = 5;
  host->Frame();
  const uint32_t schemeSky = SkyPixel();
  EXPECT_NE(schemeSky, 0xff0000u);

  form().HitsByAlienShot = 3;
  host->Sound.Events.clear();
  host->Frame();
  EXPECT_EQ(form().GameOverTimer, 100);
  EXPECT_EQ(form().TitleFrames, 0);
  EXPECT_EQ(host->Sound.Count(TSoundEvent::Stop, WaveRocketHum), 1) << "the game over silences the hum";

  const TVec3 standing = form().Player->Position;
  const float heading = form().Player->Rotation.y;
  host->Input.Set(StateLeft, true);
  for (int value = 100; value >= 2; --value) {
    ASSERT_EQ(form().GameOverTimer, value);
    host->Frame();
    // Ten frames red, ten not: no strobe.
    const bool red = SkyPixel() == 0xff0000u;
    const bool wanted = (value <= 100 && value >= 91) || (value <= 80 && value >= 71) ||
                        (value <= 60 && value >= 51) || (value <= 40 && value >= 31) ||
                        (value <= 20 && value >= 11);
    EXPECT_EQ(red, wanted) << "timer value " << value;
  }
  host->Input.Set(StateLeft, false);
  EXPECT_FLOAT_EQ(form().Player->Rotation.y, heading) << "no input poll during the game over";
  EXPECT_FLOAT_EQ(form().Player->Position.x, standing.x) << "no world update during the game over";
  EXPECT_EQ(form().GameOverTimer, 1);
  EXPECT_EQ(form().OnTitleScreen, 0);

  host->Frame();
  EXPECT_EQ(form().OnTitleScreen, 1);
  EXPECT_EQ(form().GameOverTimer, 0);
  EXPECT_EQ(form().Score, 0);
  EXPECT_EQ(form().Hits(), 0);
  EXPECT_EQ(form().HighScore, 1234) << "the high score survives the new game";
  EXPECT_EQ(form().Level, 0);
  EXPECT_EQ(form().ColourScheme, 0);
}

TEST_F(FrameDriver, AHitCountedDuringPlayFlashesThatFrame) {
  host->Frame();
  host->Frame();
  form().OnTitleScreen = 0;
  host->Frame();
  EXPECT_NE(SkyPixel(), 0xff0000u);
  AlienOnThePlayer();
  host->Frame();
  EXPECT_EQ(form().HitsByAlien, 1);
  EXPECT_EQ(SkyPixel(), 0xff0000u);
}

TEST_F(FrameDriver, ReducedFlashingTintsTheEdgesForAHitAndHoldsADarkRedGameOver) {
  picture().SetReduceFlashing(true);
  host->Frame();
  host->Frame();
  form().OnTitleScreen = 0;
  host->Frame();
  const uint32_t middle = host->Context->PixelAt(160, 50), edge = host->Context->PixelAt(0, 60);
  TBlob& alien = AlienOnThePlayer();
  host->Frame();
  ASSERT_EQ(form().HitsByAlien, 1);
  auto Red = [](uint32_t P) { return int(P >> 16); };
  auto Green = [](uint32_t P) { return int((P >> 8) & 0xff); };
  // No red frame: the middle of the sky is as it was, its edge turns red.
  EXPECT_EQ(host->Context->PixelAt(160, 50), middle);
  EXPECT_GT(Red(host->Context->PixelAt(0, 60)), 150);
  EXPECT_LT(Green(host->Context->PixelAt(0, 60)), 60);
  alien.SetActive(false);
  for (int i = 0; i < 10; ++i) host->Frame();
  EXPECT_EQ(picture().HitTintFrames(), 0);
  EXPECT_EQ(host->Context->PixelAt(0, 60), edge) << "the tint lasts ten frames";

  // The game over: every frame the same dark red, never the bright flash.
  form().HitsByAlien = 3;
  host->Frame();
  ASSERT_EQ(form().GameOverTimer, 100);
  for (int value = 100; value >= 2; --value) {
    host->Frame();
    const uint32_t P = SkyPixel();
    ASSERT_NE(P, 0xff0000u) << "timer value " << value;
    EXPECT_GT(Red(P), 60) << "timer value " << value;
    EXPECT_LT(Red(P), 120) << "timer value " << value;
    EXPECT_EQ(Green(P), 0) << "timer value " << value;
  }
}

TEST_F(FrameDriver, CaptionIsWrittenOnlyWhenTheFrameTookATick) {
  host->Frame();
  host->Frame();
  EXPECT_EQ(form().Caption, "") << "the clock stood still during the frame";
  form().Player->Position = MakeVector(12.345f, 0, -7.5f);
  form().Player->Rotation.y = 271;
  form().HitsByRocket = 2;
  host->Ticks.StepPerRead = 1;
  host->Frame();
  EXPECT_EQ(form().Caption, "Skyrend X=12.35 Y=0.00 Z=-7.50 Ang=271.00 HBA 0 HBR 2 HBAP 0");
}

TEST_F(FrameDriver, OutOfRangeSchemeKeepsThePreviousPicture) {
  host->Frame();
  host->Frame();
  form().OnTitleScreen = 0;
  form().ColourScheme = 3;
  host->Frame();
  const uint32_t before = SkyPixel();
  form().ColourScheme = 11;
  form().Wireframe = 0;
  host->Frame();
  EXPECT_EQ(SkyPixel(), before) << "no backdrop: the last picture stays behind the scene";
  EXPECT_EQ(form().Wireframe, 0);
  form().ColourScheme = 10;
  host->Frame();
  EXPECT_EQ(form().Wireframe, 1);
  EXPECT_EQ(SkyPixel(), 0x000000u);
}

}  // namespace
