// The small services in the browser: the wall clock, failure messages and the
// status line on the page, and the cursor's visibility over the canvas.
#pragma once
#include <string>

#include "Services.h"

// The caption failure messages are shown under.
extern const char* const PageCaption;
// The tab's title, and the same while paused.
extern const char* const PageTitle;
extern const char* const PagePausedTitle;

// Milliseconds since the page started: the wall clock the host makes the game's clock from.
class TWebWallClock : public ITickSource {
 public:
  uint32_t GetTickCount() override;
};

// Shows Text in the page's message box under Caption, and on the console.
void ShowPageMessage(const std::string& Caption, const std::string& Text);

// The line above the picture that tells the player what the page is doing.
void ShowPageStatus(const char* Text);

// Marks the page paused or playing (the touch pause button shows which).
void ShowPagePaused(bool Paused);

// The pictures of the last second on the canvas's data-fps, for those who
// look; and, so the pace can be measured, the steps and pictures so far, the
// game's clock (ms) and the ms the schedule gave up after stalls on
// data-steps, data-pictures, data-clock and data-given-up.
void ShowFrameRate(int Frames, long Steps, long Pictures, uint32_t GameTicks, long GivenUpMs);

// The first picture is drawn: a performance mark, "skyrend-first-frame".
void MarkFirstPicture();

class TWebMessages : public IMessageService {
 public:
  explicit TWebMessages(std::string Caption) : caption_(std::move(Caption)) {}
  void ShowMessage(const std::string& Text) override { ShowPageMessage(caption_, Text); }

 private:
  std::string caption_;
};

// The browser hides the pointer while the canvas holds it (pointer lock) and
// shows it otherwise, so the game's wish to hide it asks nothing more: a
// pointer the player has not given to the game stays in sight. The position is
// the host's virtual pointer, which motion under pointer lock moves.
class TWebCursor : public ICursorService {
 public:
  void ShowCursor(bool) override {}
  void SetCursorPos(int, int) override {}
};
