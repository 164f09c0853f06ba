#include "ReplaySource.h"

#include <algorithm>

TReplaySource::TReplaySource(std::vector<TScriptEvent> Events, uint32_t MsPerFrame)
    : events_(std::move(Events)), msPerFrame_(MsPerFrame) {
  std::stable_sort(events_.begin(), events_.end(),
                   [](const TScriptEvent& a, const TScriptEvent& b) { return a.Frame < b.Frame; });
}

uint32_t TReplaySource::Feed(long Frame, TInputStream& Stream) {
  // The clock moves only at the frame's start: the events reach the world
  // between frames, as window messages do, while the last frame's clock stands.
  uint32_t Tick = tick_ + msPerFrame_;
  for (; next_ < events_.size() && events_[next_].Frame <= Frame; ++next_) {
    const TScriptEvent& E = events_[next_];
    if (E.Verb == TScriptVerb::Tick) Tick = uint32_t(E.A);
    else Stream.Deliver(E);
  }
  tick_ = Tick;
  return Tick;
}
