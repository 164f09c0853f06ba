// The frame limiter's schedule against a clock the test moves by hand.
#include "FrameLimiter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Microsecond counter. Reading it costs 1 us (a spin step); sleeping moves it
// by the time asked plus an oversleep the test chooses.
class TFakeClock : public IFrameClock {
 public:
  uint64_t Now() override { return T++; }
  uint64_t Frequency() override { return 1000000; }
  void SleepMs(uint32_t Ms) override {
    Sleeps.push_back(Ms);
    T += uint64_t(Ms) * 1000 + Oversleep;
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

TEST(FrameLimiter, SleepsUntilAboutTwoMillisecondsBeforeTheDeadlineThenSpins) {
  TFakeClock Clock;
  TFrameLimiter Limiter(Clock);
  Limiter.Wait();
  Clock.T += 4000;
  Clock.Sleeps.clear();
  Limiter.Wait();
  // About 12.7 ms were left: one sleep of 10 ms, and the last 2.7 ms spun.
  ASSERT_EQ(Clock.Sleeps.size(), 1u);
  EXPECT_EQ(Clock.Sleeps[0], 10u);
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

TEST(FrameLimiter, AFrameMoreThanAPeriodLateRestartsTheScheduleFromNow) {
  TFakeClock Clock;
  TFrameLimiter Limiter(Clock);
  Limiter.Wait();
  const uint64_t Deadline = Limiter.NextDeadline();
  Clock.T = Deadline + 50000;  // three frames' worth late
  const uint64_t Late = Clock.T;
  Limiter.Wait();
  // No burst of catch-up frames: the next frame is a whole period after this one.
  EXPECT_LE(Clock.T, Late + 2);
  EXPECT_GE(Limiter.NextDeadline(), Late + Period);
  EXPECT_LE(Limiter.NextDeadline(), Late + Period + 2);
  Limiter.Wait();
  EXPECT_GE(Clock.T, Late + Period);
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

}  // namespace
