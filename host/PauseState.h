// Pause as a state of the host, the same in every shell. A pause that is asked
// for begins after the next frame, whose picture the shell keeps before it is
// presented (once presented, a picture cannot be read back everywhere); from
// then on nothing steps until the player plays on.
#pragma once

class TPauseState {
 public:
  enum class TPhase {
    Running,    // frames step
    Capturing,  // asked for: the next frame is drawn, kept, then the pause begins
    Paused,     // nothing steps; the kept picture shows under the pause sign
  };

  TPhase Phase() const { return phase_; }
  bool Running() const { return phase_ == TPhase::Running; }
  bool Paused() const { return phase_ == TPhase::Paused; }

  // Pause (focus lost, hidden, minimised, ...): no change when already asked for or paused.
  void Request() {
    if (phase_ == TPhase::Running) phase_ = TPhase::Capturing;
  }
  // The pause key: pauses when running, plays on when paused or about to be;
  // not while held.
  void Toggle() {
    if (phase_ == TPhase::Running) phase_ = TPhase::Capturing;
    else if (!held_) phase_ = TPhase::Running;
  }
  // Paused at once, with no picture to keep (a page whose picture is gone),
  // and nothing plays on until Release; after it the pause stays until the
  // player plays on.
  void Hold() {
    phase_ = TPhase::Paused;
    held_ = true;
  }
  void Release() { held_ = false; }
  bool Held() const { return held_; }
  // A frame was drawn: true when it was the one to keep and the pause begins now.
  bool FrameDrawn() {
    if (phase_ != TPhase::Capturing) return false;
    phase_ = TPhase::Paused;
    return true;
  }

 private:
  TPhase phase_ = TPhase::Running;
  bool held_ = false;
};
