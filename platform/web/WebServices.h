// The small services in the browser: the wall clock, failure messages and the
// status line on the page, and the cursor's visibility over the canvas.
#pragma once
#include <string>

#include "Services.h"

// The caption failure messages are shown under.
extern const char* const PageCaption;

// Milliseconds since the page started: the wall clock the host makes the game's clock from.
class TWebWallClock : public ITickSource {
 public:
  uint32_t GetTickCount() override;
};

// Shows Text in the page's message box under Caption, and on the console.
void ShowPageMessage(const std::string& Caption, const std::string& Text);

// The line under the picture that tells the player what the page is doing.
void ShowPageStatus(const char* Text);

class TWebMessages : public IMessageService {
 public:
  explicit TWebMessages(std::string Caption) : caption_(std::move(Caption)) {}
  void ShowMessage(const std::string& Text) override { ShowPageMessage(caption_, Text); }

 private:
  std::string caption_;
};

// Visibility is the canvas's cursor style. The position is the host's virtual
// pointer, which motion under pointer lock moves: the real pointer never moves.
class TWebCursor : public ICursorService {
 public:
  void ShowCursor(bool Visible) override;
  void SetCursorPos(int, int) override {}
};
