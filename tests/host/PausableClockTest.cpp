// The game's clock across pauses: no gap, and it stands still while paused.
#include "PausableClock.h"

#include <gtest/gtest.h>

TEST(PausableClock, APauseLeavesNoGapEvenAcrossTheWrap) {
  TPausableClock Clock;
  EXPECT_EQ(Clock.Now(1000), 1000u);
  Clock.Pause(1000);
  Clock.Pause(3000);  // a second reason to pause changes nothing
  EXPECT_EQ(Clock.Now(9000), 1000u);
  Clock.Resume(9000);
  EXPECT_EQ(Clock.Now(9016), 1016u);
  // A second pause adds to the first; the wall clock wraps meanwhile.
  Clock.Pause(9016);
  Clock.Resume(100);
  EXPECT_EQ(Clock.Now(116), 1032u);
  Clock.Resume(5000);  // not paused: nothing moves
  EXPECT_EQ(Clock.Now(132), 1048u);
}
