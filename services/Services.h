// The platform as the game sees it. The game never includes SDL: the shell
// hands the form real services, tests and tools hand it fakes.
#pragma once
#include <cstdint>
#include <string>

// Millisecond tick count, unsigned 32-bit, wrapping.
class ITickSource {
 public:
  virtual ~ITickSource() = default;
  virtual uint32_t GetTickCount() = 0;
};

// Input states reported by the input component: bit 0 up, 1 down, 2 left,
// 3 right, then bit 4 + n - 1 for button n (1..32).
enum TInputState : int {
  StateUp = 0,
  StateDown = 1,
  StateLeft = 2,
  StateRight = 3,
  StateButton1 = 4,
  StateButton2 = 5,
  StateButton9 = 12,
};
using TInputStates = uint64_t;
constexpr TInputStates InputBit(int State) { return TInputStates(1) << State; }

// The six wave items by index; pan runs from -10000 (left) to 10000 (right).
enum TWaveItem : int {
  WaveMeShoot = 0,
  WaveMeHitObstacle = 1,
  WaveAlienHit = 2,
  WaveRockertHit = 3,
  WaveRocketHum = 4,
  WaveShotObstacle = 5,
  WaveItemCount = 6,
};

class ISoundService {
 public:
  virtual ~ISoundService() = default;
  // One-shot items: a free copy plays once. The looped item: its one instance restarts.
  virtual void Play(int Item) = 0;
  // Stops every playing copy of the item.
  virtual void Stop(int Item) = 0;
  // Applies to later plays (and at once to the looped instance).
  virtual void SetPan(int Item, int Pan) = 0;
  // Stop, then Play: the cue is heard at most once at a time.
  virtual void RestartSound(int Item) = 0;
};

// Failure messages: a dialog with the caption (when one can be shown) and stderr.
class IMessageService {
 public:
  virtual ~IMessageService() = default;
  virtual void ShowMessage(const std::string& Text) = 0;
};

class ICursorService {
 public:
  virtual ~ICursorService() = default;
  virtual void ShowCursor(bool Visible) = 0;
  // Moves the pointer the game reads (client pixels).
  virtual void SetCursorPos(int X, int Y) = 0;
};

// Everything the form is given when it is made (input comes with each frame,
// TFrameInput). All pointers stay valid for the form's life.
struct TServices {
  ITickSource* Ticks = nullptr;
  ISoundService* Sound = nullptr;
  IMessageService* Messages = nullptr;
  ICursorService* Cursor = nullptr;
  std::string ProgramFolder;  // where the model files and bitmaps lie
  int ScreenWidth = 1024;
  int ScreenHeight = 768;
};
