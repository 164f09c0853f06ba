// Frame pacing in the browser: the page is called once per display frame
// (requestAnimationFrame), and the game takes one fixed step per frame, so
// frames run on an absolute 60 per second schedule and a display frame that
// comes too early is skipped. On a 60 Hz display every display frame plays;
// on 120 Hz every other one; on 144 Hz about five in twelve.
#pragma once

class TFramePacer {
 public:
  explicit TFramePacer(double FramesPerSecond = 60) : period_(1000.0 / FramesPerSecond) {}

  // Now in milliseconds. True when a game frame is due: the schedule then
  // moves one period on. A display frame within a quarter period of the
  // deadline counts as on time (display frames jitter). More than a period
  // late, the schedule starts again from now: the game slows down rather than
  // running extra steps.
  bool Due(double Now);

  double Period() const { return period_; }

 private:
  double period_;
  double next_ = 0;
  bool started_ = false;
};
