// The pause's three phases and the ways between them.
#include "PauseState.h"

#include <gtest/gtest.h>

using TPhase = TPauseState::TPhase;

TEST(PauseState, AskedForItBeginsOnlyAfterTheNextFrameIsDrawn) {
  TPauseState Pause;
  EXPECT_FALSE(Pause.FrameDrawn()) << "running frames keep no picture";
  Pause.Request();
  Pause.Request();
  EXPECT_EQ(Pause.Phase(), TPhase::Capturing);
  EXPECT_TRUE(Pause.FrameDrawn()) << "this frame is the one to keep";
  EXPECT_EQ(Pause.Phase(), TPhase::Paused);
  EXPECT_FALSE(Pause.FrameDrawn());
  Pause.Request();
  EXPECT_TRUE(Pause.Paused()) << "a second reason to pause changes nothing";
}

TEST(PauseState, ThePauseKeyTogglesFromEveryPhase) {
  TPauseState Pause;
  Pause.Toggle();
  EXPECT_EQ(Pause.Phase(), TPhase::Capturing);
  Pause.Toggle();
  EXPECT_EQ(Pause.Phase(), TPhase::Running) << "taken back before the pause began";
  Pause.Toggle();
  Pause.FrameDrawn();
  Pause.Toggle();
  EXPECT_TRUE(Pause.Running());
}

TEST(PauseState, AHeldPauseBeginsAtOnceAndOnlyThePlayerEndsItAfterRelease) {
  for (const bool Asked : {false, true}) {
    TPauseState Pause;
    if (Asked) Pause.Request();  // a pause already waiting for its picture
    Pause.Hold();
    EXPECT_TRUE(Pause.Paused()) << "no picture to wait for";
    Pause.Toggle();
    EXPECT_TRUE(Pause.Paused()) << "the pause key does nothing while held";
    Pause.Release();
    EXPECT_TRUE(Pause.Paused()) << "released, the pause stays";
    Pause.Toggle();
    EXPECT_TRUE(Pause.Running());
  }
}
