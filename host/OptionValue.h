// A developer program's option value, read by the one number and size
// readers; a bad value throws std::invalid_argument naming the option and what
// it takes, the value quoted safely.
#pragma once
#include <string>

// What must be a whole number in Lo..Hi.
long WholeOption(const std::string& Text, long Lo, long Hi, const std::string& What);
// --size WxH, each side in MinSide..MaxViewSide; Width and Height are set only when it reads.
void SizeOption(const std::string& Text, int MinSide, int& Width, int& Height);
