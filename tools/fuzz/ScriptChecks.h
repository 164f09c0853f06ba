// What the script target demands of every text beyond the sanitizers' checks,
// shared with the test that replays the kept inputs (tests/host): a text is
// either refused with a message or read into events within their ranges, in
// frame order, each written back and read again the same; a demo header that
// is accepted names a size within 1..MaxViewSide.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ScriptFormat.h"

inline bool ScriptEventInRanges(const TScriptEvent& E) {
  if (E.Frame < 1 || E.Frame > MaxScriptFrame || E.Line < 1) return false;
  switch (E.Verb) {
    case TScriptVerb::Down:
    case TScriptVerb::Repeat:
    case TScriptVerb::Up: return E.A >= 1 && E.A <= 255;
    case TScriptVerb::Mouse: return E.A >= -100000 && E.A <= 100000 && E.B >= -100000 && E.B <= 100000 && E.Bits <= 3;
    case TScriptVerb::Joy: return E.A >= -32768 && E.A <= 32767 && E.B >= -32768 && E.B <= 32767;
    case TScriptVerb::Tick: return E.A >= 0 && E.A <= int64_t(UINT32_MAX);
    case TScriptVerb::Size: return E.A >= 1 && E.A <= MaxViewSide && E.B >= 1 && E.B <= MaxViewSide;
    case TScriptVerb::Click: return true;
    case TScriptVerb::Stage: return E.A >= 1 && E.A <= 5 && E.B >= 0 && E.B <= INT32_MAX;
  }
  return false;
}

// Null when the text passes, else what went wrong.
inline const char* ScriptFault(const std::string& Text) {
  int Width = 0, Height = 0;
  try {
    if (ReadDemoHeader(Text, Width, Height) && (Width < 1 || Width > MaxViewSide || Height < 1 || Height > MaxViewSide))
      return "a demo header outside 1..MaxViewSide was accepted";
  } catch (const EScriptError& e) {
    if (e.what()[0] == '\0') return "a refused header has no message";
  }
  std::vector<TScriptEvent> Events;
  try {
    Events = ParseScript(Text);
  } catch (const EScriptError& e) {
    return e.what()[0] == '\0' ? "a refused script has no message" : nullptr;
  }
  for (size_t i = 0; i < Events.size(); ++i) {
    const TScriptEvent& E = Events[i];
    if (!ScriptEventInRanges(E)) return "an event outside its ranges was read";
    if (i > 0 && E.Frame < Events[i - 1].Frame) return "frames went back";
    TScriptEvent Again;
    try {
      if (!ParseScriptLine(FormatScriptEvent(E), 1, Again)) return "a written event reads as no event";
    } catch (const EScriptError&) {
      return "a written event was refused";
    }
    if (!(Again == E)) return "a written event reads back as another";
  }
  return nullptr;
}

