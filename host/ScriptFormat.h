// The input script: one event a line, "FRAME VERB ARGS", '#' starts a comment.
// The simulator replays it; the game writes it while recording a demo.
//   down VK | repeat VK | up VK         key messages (virtual-key codes 1..255)
//   mouse DX DY [left] [right]          a mouse move with the buttons held
//   click                               a left click
//   joy X Y [BUTTON...]                 joystick 1: axes -32768..32767, buttons 1..32
//   tick MS                             the clock of this frame
//   size W H                            the view's new size (the mouse wraps at its edges)
//   stage busy|hit|scheme N|score N|level N   what a tool stages in the world
//                                       (never in a player's demo; see TStaging)
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SizeText.h"

enum class TScriptVerb { Down, Repeat, Up, Mouse, Click, Joy, Tick, Size, Stage };

struct TScriptEvent {
  long Frame = 1;
  TScriptVerb Verb = TScriptVerb::Click;
  int64_t A = 0;      // key code, mouse DX, joystick X, tick, width or staging (TStaging)
  int64_t B = 0;      // mouse DY, joystick Y, height or the staging's value
  uint32_t Bits = 0;  // mouse: ssLeft | ssRight; joystick: bit n - 1 for button n
  int Line = 0;       // source line, 0 for events made in code
  bool operator==(const TScriptEvent& o) const {
    return Frame == o.Frame && Verb == o.Verb && A == o.A && B == o.B && Bits == o.Bits;
  }
};

// The last frame a script may name: the tools' --frames cap, so no script
// runs longer than a run may be asked to (10^8 frames are some 19 days).
constexpr long MaxScriptFrame = 100000000L;
// The largest view a headless replay draws, in pixels: its buffers cost some
// 16 bytes a pixel: at this size a replay peaks near 200 MB in all.
// 3840 x 2160 fits. (The game's own window replays a demo at the window's
// size, whatever its header says.)
constexpr long long MaxReplayViewPixels = 8388608;
// A demo's frames when its script names no clock.
constexpr uint32_t DemoMsPerFrame = 16;
// What a script may cost. A recorded hour of play is 5 to 9 MB (a tick line
// every frame, a mouse line while it moves), so 32 MB holds some four hours;
// its events then take at most five times the text (a 40-byte event for
// every 8-byte line). A line holds one event of a few dozen bytes, so 4 KB
// leaves room for any comment.
constexpr uint64_t MaxScriptBytes = 32ull << 20;
constexpr size_t MaxScriptLineBytes = 4096;

// Parses one line. Returns true when the line holds an event (stored in Event),
// false for a blank or comment line. A bad line, or one longer than
// MaxScriptLineBytes, throws EScriptError naming LineNumber.
bool ParseScriptLine(const std::string& Text, int LineNumber, TScriptEvent& Event);

// Every event of a script text, in file order; a UTF-8 byte-order mark at its
// start is skipped. A bad line, or a frame lower than the one before it, throws
// EScriptError naming the line; so does running out of memory.
std::vector<TScriptEvent> ParseScript(const std::string& Text);
// The whole file. A file that cannot be opened or read to its end (a missing
// file, no permission, a folder, a FIFO or device: "Not a regular file", a
// read error, more than MaxScriptBytes, no memory) throws EScriptError with
// the reason. Nothing is waited on: a FIFO is refused without a read.
std::string ReadScriptText(const std::string& Path);
// A demo's text: the demo header checked (ReadDemoHeader), then ParseScript;
// a demo holds no "stage" line (no game records one).
std::vector<TScriptEvent> ParseDemo(const std::string& Text);
// ReadScriptText, then ParseDemo.
std::vector<TScriptEvent> ReadScriptFile(const std::string& Path);

// A recorded demo's first line: a comment naming the window size it was
// recorded at and the rules version it was played under.
std::string DemoHeaderLine(int Width, int Height);
// The window size from a script text's first line (after a byte-order mark):
// false when that line is no demo header; a header whose size is not WxH
// within 1..MaxViewSide throws EScriptError. Rules, when given, gets the
// header's rules version ("" for a demo recorded before versions).
bool ReadDemoHeader(const std::string& Text, int& Width, int& Height, std::string* Rules = nullptr);
// A demo a player may watch or a board may check: throws EScriptError naming
// both versions when it was recorded under other rules (or none). The
// simulator does not ask: it runs any file as a script.
void CheckDemoRules(const std::string& Text);
// CheckDemoRules, then ParseDemo; and the same read from a file.
std::vector<TScriptEvent> ParseGameDemo(const std::string& Text);
std::vector<TScriptEvent> ReadGameDemo(const std::string& Path);
// A kept game's second line: the frame its game began in (the demo holds the
// whole run before it, which the world's state depends on); 0 when a demo has none.
std::string DemoGameLine(long Frame);
long ReadDemoGameFrame(const std::string& Text);
// The rules this build plays, for the shells' --version.
const char* DemoRulesVersion();

// Why a headless tool refuses to draw a view of Width x Height: "" when it
// is within MaxReplayViewPixels.
std::string ReplayViewTooLarge(int Width, int Height);

// The event as one script line, without the line break.
std::string FormatScriptEvent(const TScriptEvent& Event);
// The same into Out without allocating: the length the line needs (written
// in full, with a NUL, when it is below Room). MaxScriptEventBytes holds any.
constexpr size_t MaxScriptEventBytes = 512;
size_t FormatScriptEvent(const TScriptEvent& Event, char* Out, size_t Room);

class EScriptError : public std::exception {
 public:
  EScriptError(int Line, std::string Message);
  const char* what() const noexcept override { return text_.c_str(); }
  int Line() const { return line_; }

 private:
  int line_;
  std::string text_;
};
