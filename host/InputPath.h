// The one way input reaches a world: the frame's clock, the held keys and
// joystick, the pointer the mouse moves, the stream over them, and the demo
// or script that feeds the stream when one plays. The game host and a
// demo's check run their worlds on it alike.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "InputStream.h"
#include "ReplaySource.h"
#include "ScriptInput.h"
#include "World.h"

class TInputPath {
 public:
  // Width x Height: the view at start (the pointer starts at its centre);
  // Next: the window's cursor, told of the game's cursor calls (may be null).
  TInputPath(int Width, int Height, ICursorService* Next = nullptr);

  TInputStream& Stream() { return stream_; }
  // The world's services: a clock set once a frame, and the pointer's cursor.
  ITickSource& Clock() { return clock_; }
  TScriptCursor& Cursor() { return cursor_; }
  // A world's services on this path (no sound), at the view size it started with.
  TWorldServices WorldServices();

  // A demo or script feeds the stream from the next frame on.
  void Replay(std::vector<TScriptEvent> Events, uint32_t MsPerFrame);
  bool Replaying() const { return replay_ != nullptr; }
  // The playing demo's last frame (0 when none plays).
  long ReplayLastFrame() const { return replay_ ? replay_->LastFrame() : 0; }

  // Frame k's input (k = 1, 2, 3 ...): a playing demo's events with its
  // clock, else what reached the stream with LiveTick.
  const TFrameInput& BeginFrame(long Frame, uint32_t LiveTick);

 private:
  int width_, height_;
  TFrameClock clock_;
  TScriptInput input_;
  TScriptCursor cursor_;
  TInputStream stream_;
  std::unique_ptr<TReplaySource> replay_;
};
