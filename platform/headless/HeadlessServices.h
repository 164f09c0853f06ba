// The headless host's platform parts: a clock the caller sets, a sound
// recorder (whose operations the trace shows), a message collector and a
// cursor that only remembers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Services.h"

class TFakeTicks : public ITickSource {
 public:
  // Each read returns Now, then moves it on by StepPerRead (0: time stands still within a frame).
  uint32_t GetTickCount() override {
    const uint32_t now = Now;
    Now += StepPerRead;
    return now;
  }
  uint32_t Now = 0;
  uint32_t StepPerRead = 0;
};

// One sound operation as the game issued it.
struct TSoundEvent {
  enum TOp { Play, Stop, Pan, Restart } Op;
  int Item;
  int Value;  // the pan value for Pan, else 0
  bool operator==(const TSoundEvent& o) const { return Op == o.Op && Item == o.Item && Value == o.Value; }
};

class TRecordingSound : public ISoundService {
 public:
  TRecordingSound() { Events.reserve(4096); }
  void Play(int Item) override { Events.push_back({TSoundEvent::Play, Item, 0}); }
  void Stop(int Item) override { Events.push_back({TSoundEvent::Stop, Item, 0}); }
  void SetPan(int Item, int Pan) override { Events.push_back({TSoundEvent::Pan, Item, Pan}); }
  void RestartSound(int Item) override { Events.push_back({TSoundEvent::Restart, Item, 0}); }
  int Count(TSoundEvent::TOp Op, int Item) const {
    int n = 0;
    for (const auto& e : Events) n += (e.Op == Op && e.Item == Item);
    return n;
  }
  std::vector<TSoundEvent> Events;
};

class TCapturingMessages : public IMessageService {
 public:
  void ShowMessage(const std::string& Text) override { Messages.push_back(Text); }
  std::vector<std::string> Messages;
};

class TFakeCursor : public ICursorService {
 public:
  void ShowCursor(bool Visible) override { this->Visible = Visible; }
  void SetCursorPos(int X, int Y) override {
    LastX = X;
    LastY = Y;
    ++Moves;
  }
  bool Visible = true;
  int LastX = 0, LastY = 0, Moves = 0;
};
