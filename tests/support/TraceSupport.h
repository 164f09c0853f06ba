// Reading values back out of trace lines, and running a script headless.
#pragma once
#include <string>
#include <vector>

#include <cstdint>

#include "ScriptFormat.h"

// The whole number after "Key": in Line (the first occurrence at or after From).
long TraceInt(const std::string& Line, const std::string& Key, size_t From = 0);
// The text of Line between "Key": and the next key named After.
std::string TraceSection(const std::string& Line, const std::string& Key, const std::string& After);
// How often Needle occurs in Text.
int Occurrences(const std::string& Text, const std::string& Needle);
// Sum of the three hit counters.
long TraceHits(const std::string& Line);

// Runs Script for Frames frames at a small size with the generated models; one trace line a frame.
std::vector<std::string> RunScript(const std::string& Script, long Frames, uint32_t MsPerFrame = 16);
