// skyrend-bench --load-budgets: for the worst set of model files each budget
// of a load accepts (WorstLoads.h), and for the same set one step past it,
// start-up time, the process's peak memory and the busy play frame rate
// against the stock files, each case in a process of its own.
#pragma once
#include <string>

// Cases are written under a temporary folder beside nothing else; the stock
// files come from ProgramFolder. Rounds: play-frame measurements per case.
int RunLoadBudgetBench(const std::string& ProgramFolder, int Width, int Height, int Rounds);
