// The input script: one event a line, "FRAME VERB ARGS", '#' starts a comment.
// The simulator replays it; the game writes it while recording a demo.
//   down VK | repeat VK | up VK         key messages (virtual-key codes 1..255)
//   mouse DX DY [left] [right]          a mouse move with the buttons held
//   click                               a left click
//   joy X Y [BUTTON...]                 joystick 1: axes -32768..32767, buttons 1..32
//   tick MS                             the clock of this frame
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class TScriptVerb { Down, Repeat, Up, Mouse, Click, Joy, Tick };

struct TScriptEvent {
  long Frame = 1;
  TScriptVerb Verb = TScriptVerb::Click;
  int64_t A = 0;      // key code, mouse DX, joystick X or tick
  int64_t B = 0;      // mouse DY or joystick Y
  uint32_t Bits = 0;  // mouse: ssLeft | ssRight; joystick: bit n - 1 for button n
  int Line = 0;       // source line, 0 for events made in code
  bool operator==(const TScriptEvent& o) const {
    return Frame == o.Frame && Verb == o.Verb && A == o.A && B == o.B && Bits == o.Bits;
  }
};

constexpr long MaxScriptFrame = 1000000000L;

// Parses one line. Returns true when the line holds an event (stored in Event),
// false for a blank or comment line. A bad line throws EScriptError naming LineNumber.
bool ParseScriptLine(const std::string& Text, int LineNumber, TScriptEvent& Event);

// Every event of a script text, in file order.
std::vector<TScriptEvent> ParseScript(const std::string& Text);
// Reads and parses a file; a missing file or a bad line throws EScriptError.
std::vector<TScriptEvent> ReadScriptFile(const std::string& Path);

// The event as one script line, without the line break.
std::string FormatScriptEvent(const TScriptEvent& Event);

class EScriptError : public std::exception {
 public:
  EScriptError(int Line, std::string Message);
  const char* what() const noexcept override { return text_.c_str(); }
  int Line() const { return line_; }

 private:
  int line_;
  std::string text_;
};
