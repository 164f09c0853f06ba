#include "BoardJson.h"

#include <cstdio>
#include <cstdlib>

std::string JsonText(const std::string& Text) {
  std::string Out;
  Out.reserve(Text.size() + Text.size() / 16 + 2);
  Out += '"';
  for (const char C : Text) {
    switch (C) {
      case '"': Out += "\\\""; break;
      case '\\': Out += "\\\\"; break;
      case '\n': Out += "\\n"; break;
      case '\r': Out += "\\r"; break;
      case '\t': Out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(C) < 0x20) {
          char Escape[8];
          std::snprintf(Escape, sizeof Escape, "\\u%04x", unsigned(C));
          Out += Escape;
        } else {
          Out += C;
        }
    }
  }
  return Out + '"';
}

namespace {

struct TReader {
  const std::string& J;
  size_t At = 0;

  void Space() {
    while (At < J.size() && (J[At] == ' ' || J[At] == '\n' || J[At] == '\r' || J[At] == '\t')) ++At;
  }
  bool Take(char C) {
    Space();
    if (At >= J.size() || J[At] != C) return false;
    ++At;
    return true;
  }
  // A string after its opening quote; \u escapes past ASCII become '?'.
  bool String(std::string& Out) {
    Out.clear();
    while (At < J.size()) {
      char C = J[At++];
      if (C == '"') return true;
      if (C != '\\') {
        Out += C;
        continue;
      }
      if (At >= J.size()) return false;
      C = J[At++];
      if (C == 'n') Out += '\n';
      else if (C == 't') Out += '\t';
      else if (C == 'r') Out += '\r';
      else if (C == 'b' || C == 'f') Out += ' ';
      else if (C == 'u') {
        if (At + 4 > J.size()) return false;
        const unsigned long Code = std::strtoul(J.substr(At, 4).c_str(), nullptr, 16);
        Out += Code < 0x80 ? char(Code) : '?';
        At += 4;
      } else {
        Out += C;
      }
    }
    return false;
  }
  // Any value; Path names it. Sets Found when Path is Want.
  bool Value(const std::string& Path, const std::string& Want, std::string& Found, bool& Got, int Depth) {
    Space();
    if (At >= J.size() || Depth > 8) return false;
    std::string Text;
    if (J[At] == '{') {
      ++At;
      if (Take('}')) return true;
      do {
        std::string Key;
        if (!Take('"') || !String(Key) || !Take(':')) return false;
        if (!Value(Path.empty() ? Key : Path + "." + Key, Want, Found, Got, Depth + 1)) return false;
      } while (Take(','));
      return Take('}');
    }
    if (J[At] == '[') {
      ++At;
      if (Take(']')) return true;
      do {
        if (!Value(Path + "[]", Want, Found, Got, Depth + 1)) return false;
      } while (Take(','));
      return Take(']');
    }
    if (J[At] == '"') {
      ++At;
      if (!String(Text)) return false;
    } else {
      const size_t Start = At;
      while (At < J.size() && J[At] != ',' && J[At] != '}' && J[At] != ']' && J[At] != ' ' && J[At] != '\n') ++At;
      if (At == Start) return false;
      Text = J.substr(Start, At - Start);
    }
    if (Path == Want) {
      Found = Text;
      Got = true;
    }
    return true;
  }
};

}  // namespace

bool JsonField(const std::string& Json, const std::string& Key, std::string& Value) {
  TReader R{Json};
  R.Space();
  if (R.At >= Json.size() || Json[R.At] != '{') return false;
  bool Got = false;
  std::string Found;
  if (!R.Value("", Key, Found, Got, 0) || !Got) return false;
  Value = Found;
  return true;
}
