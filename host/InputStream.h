// The one input stream: every input the world sees, as events of the script's
// kinds, in order, from whatever source: a shell's live input through the
// host, a demo or script, a tool. Each event is applied as it comes (held
// keys, joystick 1, the pointer) and what the world must take in order (key
// messages, clicks, sizes, staging) is kept for the frame; while recording,
// every event is written as a script line and each frame writes the clock it
// ran with. Replaying a written script gives the world the very same input.
#pragma once
#include <cstdint>
#include <ostream>
#include <vector>

#include "FrameInput.h"
#include "ScriptFormat.h"
#include "ScriptInput.h"

class TGameRecording;

class TInputStream {
 public:
  // Width and Height: the view's size the world starts with.
  TInputStream(TScriptInput& Input, TScriptCursor& Cursor, TFrameClock& Clock, int Width, int Height);

  // Where the stream is written from now on; null stops the writing.
  void WriteTo(std::ostream* Out) { out_ = Out; }
  // The run's recording in memory, written beside Out; null stops it.
  void KeepIn(TGameRecording* Memory) { memory_ = Memory; }

  // One event for the frame about to run (its own Frame is not read). Tick
  // events are the frame's clock, given to BeginFrame, and are not taken here.
  void Deliver(const TScriptEvent& Event);
  // Live input. A key-down of a key already held is an auto-repeat; a key-up
  // of a key not held is nothing.
  void KeyDown(uint16_t Key);
  void KeyUp(uint16_t Key);
  void MouseMove(int Dx, int Dy, uint32_t Shift);
  void Click();
  // The view's new size, where the mouse wraps.
  void Resize(int Width, int Height);
  // Joystick 1 as it stands now; an event only when it changed.
  void Joystick(int16_t X, int16_t Y, uint32_t Buttons);
  void Stage(TStaging What, int32_t Value = 0);

  // Right before each frame: writes the frame's tick, sets the world's clock
  // and gives the frame's input (valid until the next BeginFrame).
  const TFrameInput& BeginFrame(uint32_t Tick);

  // The frame the next input belongs to.
  long Frame() const { return frame_; }
  bool Held(uint16_t Key) const { return input_.Held(Key); }
  // The view's size as the world will know it at the next frame.
  int ViewWidth() const { return width_; }
  int ViewHeight() const { return height_; }

 private:
  void Record(TScriptVerb Verb, int64_t A, int64_t B = 0, uint32_t Bits = 0);
  void Keep(TWorldMessage::TKind Kind, int64_t A, int64_t B = 0);
  // The event as a line into the file and the memory that record the stream.
  void Write(const TScriptEvent& Event);

  std::ostream* out_ = nullptr;
  TGameRecording* memory_ = nullptr;
  TScriptInput& input_;
  TScriptCursor& cursor_;
  TFrameClock& clock_;
  long frame_ = 1;
  int width_, height_;
  // The messages kept for the next frame, and those of the frame running now.
  std::vector<TWorldMessage> pending_, current_;
  TFrameInput frameInput_;
};
