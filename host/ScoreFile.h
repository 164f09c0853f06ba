// The score file: one game a line, "score level date [replay]" (level reached
// 1-10, ISO date YYYY-MM-DD, the name of the game's kept demo), best first, at
// most ten lines. `#` comments and blank lines are allowed.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Scores.h"

// The table in Text, best first and cut to the ten best. Each damaged line is
// skipped and named in Warnings as "Name:line: what was wrong", the first
// MaxWarnings of them, then one "Name: and N more"; Damaged is set when any
// line was.
TScoreTable ParseScores(const std::string& Text, const std::string& Name, std::vector<std::string>& Warnings,
                        bool& Damaged, size_t MaxWarnings = SIZE_MAX);

std::string FormatScores(const TScoreTable& Table);

// A real calendar date written YYYY-MM-DD.
bool IsIsoDate(const std::string& Date);
// A kept demo's name: letters, digits, '-', '_' and '.', ending ".txt", not
// starting with '.', at most 64 bytes: never a path.
bool IsReplayName(const std::string& Name);
