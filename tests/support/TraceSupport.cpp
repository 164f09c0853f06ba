#include "TraceSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "HeadlessContext.h"
#include "HeadlessHost.h"

long TraceInt(const std::string& Line, const std::string& Key, size_t From) {
  const std::string Quoted = "\"" + Key + "\":";
  const size_t At = Line.find(Quoted, From);
  if (At == std::string::npos) {
    ADD_FAILURE() << "no " << Key << " in the trace line";
    return 0;
  }
  return std::strtol(Line.c_str() + At + Quoted.size(), nullptr, 10);
}

std::string TraceSection(const std::string& Line, const std::string& Key, const std::string& After) {
  const size_t Start = Line.find("\"" + Key + "\":");
  const size_t End = Line.find("\"" + After + "\":", Start);
  if (Start == std::string::npos || End == std::string::npos) {
    ADD_FAILURE() << "no " << Key << " section in the trace line";
    return "";
  }
  return Line.substr(Start, End - Start);
}

int Occurrences(const std::string& Text, const std::string& Needle) {
  int N = 0;
  for (size_t At = Text.find(Needle); At != std::string::npos; At = Text.find(Needle, At + 1)) ++N;
  return N;
}

long TraceHits(const std::string& Line) {
  const size_t At = Line.find("\"hits\":[");
  if (At == std::string::npos) return -1;
  const char* p = Line.c_str() + At + 8;
  char* End = nullptr;
  long Sum = 0;
  for (int i = 0; i < 3; ++i) {
    Sum += std::strtol(p, &End, 10);
    p = End + 1;
  }
  return Sum;
}

std::vector<std::string> RunScript(const std::string& Script, long Frames, uint32_t MsPerFrame) {
  THeadlessContext Context(320, 240);
  THeadlessHost Sim(320, 240, DefaultProgramFolder(), ParseScript(Script), MsPerFrame);
  std::vector<std::string> Lines;
  Lines.reserve(size_t(Frames));
  for (long k = 1; k <= Frames; ++k) {
    EXPECT_TRUE(Sim.Step()) << "the game ended at frame " << k;
    Lines.push_back(Sim.TraceLine());
  }
  return Lines;
}
