#include "ScriptFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <sstream>
#include <string_view>

#include "QuoteWord.h"
#include "ReadableFile.h"
#include "SizeText.h"
#include "TextNumber.h"
#include "FrameInput.h"
#include "RulesVersion.h"
#include "World.h"

namespace {

std::vector<std::string> Words(const std::string& Text) {
  std::vector<std::string> Out;
  std::istringstream In(Text);
  std::string Word;
  while (In >> Word) Out.push_back(Word);
  return Out;
}

// A whole word as a decimal integer within Lo..Hi; What names it in the error.
int64_t Number(const std::string& Word, int64_t Lo, int64_t Hi, const char* What, int Line) {
  int64_t Value = 0;
  const TNumberRead Read = ReadWholeText(Word, Value);
  const bool TooLarge = Read == TNumberRead::OutOfRange;
  if (Read == TNumberRead::NotANumber)
    throw EScriptError(Line, std::string(What) + " \"" + QuoteWord(Word) + "\" is not a whole number");
  if (TooLarge || Value < Lo || Value > Hi)
    throw EScriptError(Line, std::string(What) + " " + QuoteWord(Word) + " is outside " + std::to_string(Lo) + ".." +
                                 std::to_string(Hi));
  return Value;
}

[[noreturn]] void BadUsage(const char* Usage, int Line) {
  throw EScriptError(Line, std::string("expected \"FRAME ") + Usage + "\"");
}

void ExpectCount(const std::vector<std::string>& W, size_t Count, const char* Usage, int Line) {
  if (W.size() != Count) BadUsage(Usage, Line);
}

struct TVerbName {
  TScriptVerb Verb;
  const char* Name;
};
const char* const ByteOrderMark = "\xEF\xBB\xBF";

// The text after a UTF-8 byte-order mark, which some editors put first.
std::string_view WithoutByteOrderMark(const std::string& Text) {
  std::string_view View(Text);
  if (View.compare(0, 3, ByteOrderMark) == 0) View.remove_prefix(3);
  return View;
}

[[noreturn]] void CannotRead(const std::string& Reason) {
  throw EScriptError(0, "cannot read the script: " + Reason);
}

const TVerbName VerbNames[] = {
    {TScriptVerb::Down, "down"}, {TScriptVerb::Repeat, "repeat"}, {TScriptVerb::Up, "up"},
    {TScriptVerb::Mouse, "mouse"}, {TScriptVerb::Click, "click"}, {TScriptVerb::Joy, "joy"},
    {TScriptVerb::Tick, "tick"},    {TScriptVerb::Size, "size"},   {TScriptVerb::Stage, "stage"},
};

struct TStagingName {
  TStaging What;
  const char* Name;
  int64_t Lo, Hi;  // the value's range; none when Lo > Hi
};

const TStagingName StagingNames[] = {
    {TStaging::Busy, "busy", 1, 0},        {TStaging::Hit, "hit", 1, 0},
    {TStaging::Scheme, "scheme", 0, 10},   {TStaging::Score, "score", 0, INT32_MAX},
    {TStaging::Level, "level", 0, 9},
};

const TStagingName* StagingNamed(const std::string& Name) {
  for (const auto& S : StagingNames)
    if (Name == S.Name) return &S;
  return nullptr;
}

}  // namespace

EScriptError::EScriptError(int Line, std::string Message)
    : line_(Line), text_(Line > 0 ? "line " + std::to_string(Line) + ": " + Message : Message) {}

bool ParseScriptLine(const std::string& Text, int LineNumber, TScriptEvent& Event) {
  if (Text.size() > MaxScriptLineBytes)
    throw EScriptError(LineNumber, "the line is longer than " + std::to_string(MaxScriptLineBytes) + " bytes");
  const std::vector<std::string> W = Words(Text.substr(0, Text.find('#')));
  if (W.empty()) return false;
  if (W.size() < 2) throw EScriptError(LineNumber, "expected \"FRAME VERB ARGS\"");
  TScriptEvent E;
  E.Line = LineNumber;
  E.Frame = long(Number(W[0], 1, MaxScriptFrame, "frame", LineNumber));
  const TVerbName* Found = nullptr;
  for (const auto& V : VerbNames)
    if (W[1] == V.Name) Found = &V;
  if (!Found)
    throw EScriptError(LineNumber, "unknown verb \"" + QuoteWord(W[1]) + "\" (down, repeat, up, mouse, click, joy, tick, size, stage)");
  E.Verb = Found->Verb;
  switch (E.Verb) {
    case TScriptVerb::Down:
    case TScriptVerb::Repeat:
    case TScriptVerb::Up:
      ExpectCount(W, 3, "down|repeat|up VK", LineNumber);
      E.A = Number(W[2], 1, 255, "key code", LineNumber);
      break;
    case TScriptVerb::Mouse:
      if (W.size() < 4 || W.size() > 6) BadUsage("mouse DX DY [left] [right]", LineNumber);
      E.A = Number(W[2], -100000, 100000, "mouse DX", LineNumber);
      E.B = Number(W[3], -100000, 100000, "mouse DY", LineNumber);
      for (size_t i = 4; i < W.size(); ++i) {
        const uint32_t Bit = W[i] == "left" ? uint32_t(ssLeft) : W[i] == "right" ? uint32_t(ssRight) : 0u;
        if (Bit == 0 || (E.Bits & Bit))
          throw EScriptError(LineNumber, "mouse button \"" + QuoteWord(W[i]) + "\" must be left or right, once each");
        E.Bits |= Bit;
      }
      break;
    case TScriptVerb::Click:
      ExpectCount(W, 2, "click", LineNumber);
      break;
    case TScriptVerb::Joy:
      if (W.size() < 4) BadUsage("joy X Y [BUTTON...]", LineNumber);
      E.A = Number(W[2], -32768, 32767, "joystick X", LineNumber);
      E.B = Number(W[3], -32768, 32767, "joystick Y", LineNumber);
      for (size_t i = 4; i < W.size(); ++i)
        E.Bits |= uint32_t(1) << (Number(W[i], 1, 32, "joystick button", LineNumber) - 1);
      break;
    case TScriptVerb::Tick:
      ExpectCount(W, 3, "tick MS", LineNumber);
      E.A = Number(W[2], 0, UINT32_MAX, "tick", LineNumber);
      break;
    case TScriptVerb::Size:
      ExpectCount(W, 4, "size W H", LineNumber);
      E.A = Number(W[2], 1, MaxViewSide, "width", LineNumber);
      E.B = Number(W[3], 1, MaxViewSide, "height", LineNumber);
      break;
    case TScriptVerb::Stage: {
      const TStagingName* S = W.size() >= 3 ? StagingNamed(W[2]) : nullptr;
      if (!S || W.size() != (S->Lo <= S->Hi ? 4u : 3u)) BadUsage("stage busy|hit|scheme N|score N|level N", LineNumber);
      E.A = int64_t(S->What);
      if (S->Lo <= S->Hi) E.B = Number(W[3], S->Lo, S->Hi, S->Name, LineNumber);
      break;
    }
  }
  Event = E;
  return true;
}

std::vector<TScriptEvent> ParseScript(const std::string& Text) {
  std::vector<TScriptEvent> Events;
  const std::string_view Rest = WithoutByteOrderMark(Text);
  std::string Line;
  int Number = 0;
  TScriptEvent E;
  try {
    // At most one event a line: sized once, so a long script is not copied as it grows.
    Events.reserve(size_t(std::count(Rest.begin(), Rest.end(), '\n')) + 1);
    for (size_t Start = 0; Start < Rest.size();) {
      size_t End = Rest.find('\n', Start);
      if (End == std::string_view::npos) End = Rest.size();
      ++Number;
      // Only the start of an overlong line is copied: ParseScriptLine refuses it by its length.
      Line.assign(Rest.substr(Start, std::min(End - Start, MaxScriptLineBytes + 1)));
      Start = End + 1;
      if (!ParseScriptLine(Line, Number, E)) continue;
      // Events are played in file order: a frame that goes back is a damaged or mis-edited script.
      if (!Events.empty() && E.Frame < Events.back().Frame)
        throw EScriptError(Number, "frame " + std::to_string(E.Frame) + " comes after frame " +
                                       std::to_string(Events.back().Frame) + " (line " +
                                       std::to_string(Events.back().Line) + "): frames must not go back");
      Events.push_back(E);
    }
  } catch (const std::bad_alloc&) {
    throw EScriptError(Number, "not enough memory for the script's events");
  }
  return Events;
}

std::string ReadScriptText(const std::string& Path) {
  static const std::string TooLarge =
      "larger than " + std::to_string(MaxScriptBytes >> 20) + " MB, more than any demo";
  try {
    return TReadableFile(Path).ReadAll(MaxScriptBytes, TooLarge.c_str());
  } catch (const EFileNotFound&) {
    CannotRead(std::strerror(ENOENT));
  } catch (const EReadError& e) {
    CannotRead(std::strerror(e.Error));
  } catch (const std::bad_alloc&) {
    CannotRead("not enough memory");
  } catch (const std::runtime_error& e) {
    CannotRead(e.what());
  }
}

std::vector<TScriptEvent> ParseDemo(const std::string& Text) {
  int Width = 0, Height = 0;
  ReadDemoHeader(Text, Width, Height);
  std::vector<TScriptEvent> Events = ParseScript(Text);
  for (const TScriptEvent& E : Events)
    if (E.Verb == TScriptVerb::Stage) throw EScriptError(E.Line, "a game never records \"stage\"");
  return Events;
}

std::vector<TScriptEvent> ReadScriptFile(const std::string& Path) { return ParseDemo(ReadScriptText(Path)); }

namespace {

const std::string DemoHeaderStart = "# Skyrend demo at ";
const std::string DemoRulesMark = ", rules ";

}  // namespace

std::string DemoHeaderLine(int Width, int Height) {
  const std::string Size = std::to_string(Width) + "x" + std::to_string(Height);
  return DemoHeaderStart + Size + DemoRulesMark + RulesVersion + ": skyrend --play FILE, or skyrend-sim --script FILE";
}

bool ReadDemoHeader(const std::string& Text, int& Width, int& Height, std::string* Rules) {
  const std::string_view Rest = WithoutByteOrderMark(Text);
  if (Rest.compare(0, DemoHeaderStart.size(), DemoHeaderStart) != 0) return false;
  const size_t Start = DemoHeaderStart.size();
  const size_t SizeEnd = std::min(Rest.find_first_of(":\n", Start), Rest.find(DemoRulesMark, Start));
  const std::string Size(Rest.substr(Start, SizeEnd - Start));
  if (ReadSizeText(Size, 1, Width, Height) != TSizeRead::Read)
    throw EScriptError(1, "the recorded window size \"" + QuoteWord(Size) + "\" is not WxH within 1.." +
                              std::to_string(MaxViewSide));
  if (!Rules) return true;
  Rules->clear();
  if (SizeEnd < Rest.size() && Rest.compare(SizeEnd, DemoRulesMark.size(), DemoRulesMark) == 0) {
    const size_t From = SizeEnd + DemoRulesMark.size();
    *Rules = std::string(Rest.substr(From, std::min(Rest.find_first_of(":\n", From), From + 64) - From));
  }
  return true;
}

void CheckDemoRules(const std::string& Text) {
  int Width = 0, Height = 0;
  std::string Rules;
  if (!ReadDemoHeader(Text, Width, Height, &Rules))
    throw EScriptError(1, "not a demo: its first line names no window size and rules version");
  if (Rules == RulesVersion) return;
  const std::string Ours = std::string("this game plays rules version ") + RulesVersion;
  if (Rules.empty()) throw EScriptError(1, "recorded under no rules version (an older game); " + Ours);
  throw EScriptError(1, "recorded under rules version \"" + QuoteWord(Rules) + "\"; " + Ours);
}

std::vector<TScriptEvent> ParseGameDemo(const std::string& Text) {
  CheckDemoRules(Text);
  return ParseDemo(Text);
}

std::vector<TScriptEvent> ReadGameDemo(const std::string& Path) { return ParseGameDemo(ReadScriptText(Path)); }

const char* DemoRulesVersion() { return RulesVersion; }

namespace {

const std::string DemoGameStart = "# the game begins at frame ";

}  // namespace

std::string DemoGameLine(long Frame) { return DemoGameStart + std::to_string(Frame); }

long ReadDemoGameFrame(const std::string& Text) {
  const size_t Second = Text.find('\n') + 1;
  if (Second == 0 || Text.compare(Second, DemoGameStart.size(), DemoGameStart) != 0) return 0;
  const size_t From = Second + DemoGameStart.size();
  int64_t Frame = 0;
  const std::string Word = Text.substr(From, Text.find('\n', From) - From);
  return ReadWholeText(Word, Frame) == TNumberRead::Read && Frame > 0 && Frame <= MaxScriptFrame ? long(Frame) : 0;
}

std::string ReplayViewTooLarge(int Width, int Height) {
  if (static_cast<long long>(Width) * Height <= MaxReplayViewPixels) return "";
  return "the view " + std::to_string(Width) + "x" + std::to_string(Height) + " is larger than a replay may draw (" +
         std::to_string(MaxReplayViewPixels) + " pixels; 3840x2160 fits)";
}

size_t FormatScriptEvent(const TScriptEvent& E, char* Out, size_t Room) {
  size_t N = 0;
  // Appends like snprintf, never past Room; N counts what the whole line needs.
  const auto Put = [&](const char* Format, auto... Values) {
    const int Wrote = std::snprintf(Out + std::min(N, Room), N < Room ? Room - N : 0, Format, Values...);
    if (Wrote > 0) N += size_t(Wrote);
  };
  Put("%ld", E.Frame);
  for (const auto& V : VerbNames)
    if (V.Verb == E.Verb) Put(" %s", V.Name);
  switch (E.Verb) {
    case TScriptVerb::Mouse:
      Put(" %lld %lld", static_cast<long long>(E.A), static_cast<long long>(E.B));
      if (E.Bits & ssLeft) Put(" left");
      if (E.Bits & ssRight) Put(" right");
      break;
    case TScriptVerb::Joy:
      Put(" %lld %lld", static_cast<long long>(E.A), static_cast<long long>(E.B));
      for (int n = 0; n < 32; ++n)
        if (E.Bits & (uint32_t(1) << n)) Put(" %d", n + 1);
      break;
    case TScriptVerb::Click:
      break;
    case TScriptVerb::Size:
      Put(" %lld %lld", static_cast<long long>(E.A), static_cast<long long>(E.B));
      break;
    case TScriptVerb::Stage:
      for (const auto& S : StagingNames)
        if (int64_t(S.What) == E.A) {
          Put(" %s", S.Name);
          if (S.Lo <= S.Hi) Put(" %lld", static_cast<long long>(E.B));
        }
      break;
    default:
      Put(" %lld", static_cast<long long>(E.A));
      break;
  }
  return N;
}

std::string FormatScriptEvent(const TScriptEvent& E) {
  char Line[MaxScriptEventBytes];
  const size_t N = FormatScriptEvent(E, Line, sizeof Line);
  return std::string(Line, std::min(N, sizeof Line - 1));
}
