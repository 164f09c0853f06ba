// The cost of the game window's 4x multisampling: busy play frames in a
// multisampled headless context against the same in a plain one.
#pragma once
#include <string>

// Prints one line: both frame rates and their ratio, or that the GL offers
// no multisampled buffers.
void PrintMultisampleCost(const std::string& ProgramFolder, int Width, int Height);
