// The small services in the browser: ticks from the page's clock, failure
// messages on the page and in the console, the cursor and the pointer.
#pragma once
#include <string>

#include "InputMapping.h"
#include "Services.h"

class TWebTicks : public ITickSource {
 public:
  uint32_t GetTickCount() override;
};

// Shows Text in the page's message box under Caption, and on the console.
void ShowPageMessage(const std::string& Caption, const std::string& Text);

class TWebMessages : public IMessageService {
 public:
  explicit TWebMessages(std::string Caption) : caption_(std::move(Caption)) {}
  void ShowMessage(const std::string& Text) override { ShowPageMessage(caption_, Text); }

 private:
  std::string caption_;
};

// Visibility is the canvas's cursor style; the position is the virtual
// pointer that mouse motion under pointer lock moves.
class TWebCursor : public ICursorService {
 public:
  TWebCursor(int Width, int Height) : pointer_(Width, Height) {}
  void ShowCursor(bool Visible) override;
  void SetCursorPos(int X, int Y) override { pointer_.Set(X, Y); }
  TVirtualPointer& Pointer() { return pointer_; }

 private:
  TVirtualPointer pointer_;
};
