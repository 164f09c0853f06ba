// The frame limiter's schedule against a clock the test moves by hand.
#include "FrameLimiter.h"
#include "FrameStats.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Microsecond counter. Reading it costs 1 us (a spin step); sleeping moves it
// by the time asked plus an oversleep the test chooses.
class TFakeClock : public IFrameClock {
 public:
  uint64_t Now() override { return T++; }
  uint64_t Frequency() override { return 1000000; }
  void SleepUs(uint32_t Us) override {
    Sleeps.push_back(Us);
    T += Us + Oversleep;
  }
  uint64_t T = 1000000;
  uint64_t Oversleep = 0;
  std::vector<uint32_t> Sleeps;
};

constexpr uint64_t Period = 16666;  // 1 s / 60 in microseconds

TEST(FrameLimiter, HoldsSixtyFramesASecondOnAnAbsoluteSchedule) {
  TFakeClock Clock;
  TFrameLimiter Limiter(Clock);
  EXPECT_EQ(Limiter.Period(), Period);
  Limiter.Wait();  // the first frame starts the schedule
  const uint64_t Start = Limiter.NextDeadline() - Period;
  for (int k = 1; k <= 120; ++k) {
    Clock.T += 5000;  // a frame's own work
    Limiter.Wait();
    // Released at the deadline (within the few microseconds of spinning), never before it.
    EXPECT_GE(Clock.T, Start + k * Period);
    EXPECT_LE(Clock.T, Start + k * Period + 5);
  }
  // Two seconds of frames took two seconds: no drift from rounding or oversleeping.
  EXPECT_NEAR(double(Clock.T - Start), 120.0 * 1e6 / 60.0, 200.0);
}

TEST(FrameLimiter, SleepsUntilHalfAMillisecondBeforeTheDeadlineThenSpins) {
  TFakeClock Clock;
  Clock.Oversleep = 80;  // a usual late wake-up
  TFrameLimiter Limiter(Clock);
  Limiter.Wait();
  Clock.T += 4000;
  Clock.Sleeps.clear();
  const uint64_t Deadline = Limiter.NextDeadline();
  Limiter.Wait();
  // About 12.7 ms were left: one sleep to 0.5 ms before the deadline, and the rest spun.
  ASSERT_EQ(Clock.Sleeps.size(), 1u);
  EXPECT_NEAR(double(Clock.Sleeps[0]), 12666 - 500, 3);
  EXPECT_GE(Clock.T, Deadline);
  EXPECT_NEAR(double(Limiter.SpunTicks()), 500 - 80, 5);
}

TEST(FrameLimiter, AnOversleptDeadlineIsNotMadeUpLater) {
  TFakeClock Clock;
  Clock.Oversleep = 3000;  // the system wakes us 3 ms late
  TFrameLimiter Limiter(Clock);
  Limiter.Wait();
  const uint64_t First = Limiter.NextDeadline();
  Clock.T += 1000;
  Limiter.Wait();
  // Woken after the deadline; the next one stays one period on from the last.
  EXPECT_GT(Clock.T, First);
  EXPECT_EQ(Limiter.NextDeadline(), First + Period);
}

TEST(FrameLimiter, AFrameLateByLessThanAPeriodKeepsTheSchedule) {
  TFakeClock Clock;
  TFrameLimiter Limiter(Clock);
  Limiter.Wait();
  const uint64_t Deadline = Limiter.NextDeadline();
  Clock.T = Deadline + 10000;  // 10 ms late
  Limiter.Wait();
  EXPECT_TRUE(Clock.Sleeps.empty());
  EXPECT_EQ(Limiter.NextDeadline(), Deadline + Period);
  // The next frame is shorter and lands on the old schedule again.
  Limiter.Wait();
  EXPECT_GE(Clock.T, Deadline + Period);
  EXPECT_LE(Clock.T, Deadline + Period + 5);
}

TEST(FrameLimiter, AStepFarBehindIsFollowedByStepsWithoutPicturesUntilCaughtUp) {
  TFakeClock Clock;
  TFrameLimiter Limiter(Clock);
  EXPECT_TRUE(Limiter.Wait());
  const uint64_t Deadline = Limiter.NextDeadline();
  Clock.T = Deadline + 50000;  // the steps due at 0, 1, 2 and 3 periods after the deadline are all due
  // Three catch up at once, without pictures and without waiting; the
  // fourth is on the schedule again and drawn.
  EXPECT_FALSE(Limiter.Wait());
  EXPECT_FALSE(Limiter.Wait());
  EXPECT_FALSE(Limiter.Wait());
  EXPECT_TRUE(Limiter.Wait());
  EXPECT_TRUE(Clock.Sleeps.empty());
  EXPECT_EQ(Limiter.NextDeadline(), Deadline + 4 * Period);
  // Never more than four in a row: a machine still behind sees a picture now and then.
  Clock.T = Limiter.NextDeadline() + 4 * Period + 100;
  int Undrawn = 0;
  while (!Limiter.Wait()) ++Undrawn;
  EXPECT_EQ(Undrawn, TFrameSchedule::MaxUndrawn);
}

TEST(FrameLimiter, MoreThanFivePeriodsBehindTheScheduleStartsAgainFromNow) {
  TFakeClock Clock;
  TFrameLimiter Limiter(Clock);
  Limiter.Wait();
  Clock.T = Limiter.NextDeadline() + 6 * Period;  // a stall: no burst of catch-up steps after it
  const uint64_t Late = Clock.T;
  EXPECT_TRUE(Limiter.Wait());
  EXPECT_LE(Clock.T, Late + 2);
  EXPECT_GE(Limiter.NextDeadline(), Late + Period);
  EXPECT_LE(Limiter.NextDeadline(), Late + Period + 2);
}

TEST(FrameLimiter, AMachineThatDrawsAtThirtyASecondStillTakesSixtyStepsASecond) {
  TFakeClock Clock;
  TFrameLimiter Limiter(Clock);
  const uint64_t Start = Clock.T;
  bool Draw = Limiter.Wait();
  int Steps = 0, Drawn = 0;
  while (Clock.T < Start + 10 * 1000000) {  // ten seconds
    ++Steps;
    Drawn += Draw;
    Clock.T += Draw ? 33000 : 2000;  // a picture costs 33 ms, a step alone 2 ms
    Draw = Limiter.Wait();
  }
  EXPECT_NEAR(Steps, 600, 3);
  EXPECT_LT(Drawn, 330);
  EXPECT_GT(Drawn, 250);
}

// What the window's slow-renderer run shows, judged here where load cannot
// change it: pictures of 35 to 65 ms (as a software renderer on a busy
// machine draws them) and steps alone of up to 4 ms, all varying, still give
// 60 steps a second, as long as a picture with its four steps without
// pictures fits in five periods.
TEST(FrameLimiter, PicturesOfVaryingLengthStillGiveSixtyStepsASecond) {
  TFakeClock Clock;
  TFrameLimiter Limiter(Clock);
  const uint64_t Start = Clock.T;
  uint32_t Seed = 12345;
  auto Between = [&Seed](uint64_t Low, uint64_t High) {
    Seed = Seed * 1103515245u + 12345u;
    return Low + (Seed >> 8) % (High - Low + 1);
  };
  bool Draw = Limiter.Wait();
  int Steps = 0, Drawn = 0;
  while (Clock.T < Start + 10 * 1000000) {
    ++Steps;
    Drawn += Draw;
    Clock.T += Draw ? Between(35000, 65000) : Between(500, 4000);
    Draw = Limiter.Wait();
  }
  EXPECT_NEAR(Steps, 600, 3);
  EXPECT_LT(Drawn, 300);
}

TEST(FrameLimiter, SwapIntervalFollowsTheDisplaysRefreshRate) {
  EXPECT_EQ(ChooseSwapInterval(60), -1);
  EXPECT_EQ(ChooseSwapInterval(59), -1);
  EXPECT_EQ(ChooseSwapInterval(61), -1);
  EXPECT_EQ(ChooseSwapInterval(120), 2);
  EXPECT_EQ(ChooseSwapInterval(119), 2);
  EXPECT_EQ(ChooseSwapInterval(240), 4);
  EXPECT_EQ(ChooseSwapInterval(144), 0);
  EXPECT_EQ(ChooseSwapInterval(75), 0);
  EXPECT_EQ(ChooseSwapInterval(50), 0);
  EXPECT_EQ(ChooseSwapInterval(30), 0);
  EXPECT_EQ(ChooseSwapInterval(0), 0);
}

TEST(FrameStats, MedianAndSpreadOfTheIntervalsBetweenReleases) {
  TFrameStats Stats(21);
  uint64_t T = 5000;
  // Twenty intervals in microseconds: mostly 16667, one late frame and one short one after it.
  for (int i = 0; i < 25; ++i) {
    Stats.Add(T);
    T += i == 10 ? 30000 : i == 11 ? 3334 : 16667;
  }
  const TFrameStats::TSummary S = Stats.Summarise(1000000);
  EXPECT_EQ(S.Intervals, 20u);  // the times past the room asked for are dropped
  EXPECT_NEAR(S.MedianMs, 16.667, 1e-9);
  EXPECT_NEAR(S.MinMs, 3.334, 1e-9);
  EXPECT_NEAR(S.MaxMs, 30.0, 1e-9);
  EXPECT_NE(Stats.Report(1000000, 2000).find("median 16.667 ms"), std::string::npos);
}

}  // namespace
