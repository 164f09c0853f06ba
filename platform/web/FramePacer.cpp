#include "FramePacer.h"

bool TFramePacer::Due(double Now) {
  if (!started_ || Now > next_ + period_) {
    next_ = Now;
    started_ = true;
  }
  if (Now < next_ - period_ / 4) return false;
  next_ += period_;
  return true;
}
