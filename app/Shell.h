// The shell's own logic, free of SDL so tests can drive it: the key table,
// the frame step with the Escape test, the frames-per-second title and the
// view size. The SDL loop (SdlShell) feeds it events and presents frames.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

// What the shell calls on the game form.
class IShellForm {
 public:
  virtual ~IShellForm() = default;
  virtual void FormPaint() = 0;
  virtual void HandleKey(uint16_t Key) = 0;
  virtual void FormMouseMove(uint32_t Shift, int X, int Y) = 0;
  virtual void FormClick() = 0;
  virtual void FormDestroy() = 0;
  // The form's client size, in pixels.
  virtual void SetViewSize(int Width, int Height) = 0;
  // Set when the game must end at once (start-up failed; the message was shown).
  virtual bool TerminateRequested() const = 0;
  virtual int ExitCode() const = 0;
};

constexpr uint16_t VkEscape = 27;
extern const char* const WindowTitle;  // "OpenGL App by Dreskol"

// What a frame asks of the loop.
enum class TFrameResult { Continue, Quit, Terminate };

class TShell {
 public:
  explicit TShell(IShellForm& Form) : form_(Form) {}

  // A key-down (auto-repeat included): the form sees the table as it was
  // before the press, then the key is marked down.
  void KeyDown(uint16_t Vk);
  void KeyUp(uint16_t Vk);

  // One idle pass: FrameCount + 1, FormPaint, Present, then the Escape test.
  // A form that asks to terminate ends the loop before its frame is presented.
  TFrameResult Frame(const std::function<void()>& Present);

  // The one-second timer: the title with the frames of the last second;
  // FrameCount starts again at 0.
  std::string TimerTitle();

  // A new client size: viewport and projection (height 0 becomes 1), and the form's view size.
  void Resize(int Width, int Height);

  uint8_t Keys[256] = {};
  int32_t FrameCount = 0;

 private:
  IShellForm& form_;
};

// Viewport (0, 0, Width, Height) with Height 0 taken as 1; projection
// gluPerspective(45, Width / Height, 1, 100); then the model-view matrix,
// current and identity. Needs a current GL context.
void ResizeView(int Width, int Height);
