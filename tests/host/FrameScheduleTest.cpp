// The frame schedule as the page keeps it: called once per display frame on
// a microsecond clock, taking the steps due and drawing only the last. (The
// desktop's waiting for the same schedule is FrameLimiterTest's.)
#include "FrameSchedule.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t Second = 1000000;
constexpr uint64_t Period = Second / 60;

TFrameSchedule PageSchedule() { return TFrameSchedule(Second, 60, Period / 4); }

TEST(FrameSchedule, SixtyStepsASecondWhateverTheDisplayRate) {
  // Display frames a little early or late, as they come; fewer than 60 a
  // second (a slow machine) still play 60 steps, drawing one in each frame.
  for (double Hz : {20.0, 30.0, 50.0, 60.0, 75.0, 120.0, 144.0, 240.0}) {
    TFrameSchedule Schedule = PageSchedule();
    const int DisplayFrames = int(Hz * 10);
    int Steps = 0, Drawn = 0;
    for (int i = 0; i < DisplayFrames; ++i) {
      const int Due = Schedule.TakeDue(uint64_t(Second + i * 1e6 / Hz + (i % 3 - 1) * 300));
      Steps += Due;
      Drawn += Due > 0;
    }
    EXPECT_NEAR(Steps, 600, 3) << Hz << " Hz";
    EXPECT_NEAR(Drawn, Hz < 60 ? DisplayFrames : 600, 3) << Hz << " Hz";
  }
}

TEST(FrameSchedule, CatchesUpAtMostFourUndrawnStepsAtOnceAndRestartsWhenFarBehindGivingThatUp) {
  TFrameSchedule Schedule = PageSchedule();
  EXPECT_EQ(Schedule.TakeDue(Second), 1);
  // Late by 2.5 periods: the two steps behind without pictures, then one drawn.
  EXPECT_EQ(Schedule.Next(Second + Period + Period * 5 / 2), TFrameSchedule::TStep::Undrawn);
  EXPECT_EQ(Schedule.TakeDue(Second + Period + Period * 5 / 2), 2);
  EXPECT_EQ(Schedule.TakeDue(Second + Period * 4 - Period / 2), 0);
  // Five periods behind: four without pictures and one drawn, no more.
  EXPECT_EQ(Schedule.TakeDue(Schedule.Deadline() + 5 * Period), 5);
  // A hidden page comes back: the schedule starts again, one step and not a burst.
  const uint64_t Back = Schedule.Deadline() + 10 * Second;
  EXPECT_EQ(Schedule.TakeDue(Back), 1);
  EXPECT_EQ(Schedule.GivenUp(), 10 * Second);
  EXPECT_EQ(Schedule.TakeDue(Back + 1000), 0);
  EXPECT_EQ(Schedule.TakeDue(Back + Period), 1);
  // A pause is not given up: the game's clock stood still.
  Schedule.Restart();
  EXPECT_EQ(Schedule.TakeDue(Back + 60 * Second), 1);
  EXPECT_EQ(Schedule.GivenUp(), 10 * Second);
}

}  // namespace
