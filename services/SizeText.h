// A size written "WxH": the one reader of it, with the one limit on a side,
// for the settings' window_size, a demo's recorded window, the tools' --size.
#pragma once
#include <string_view>

// The largest width or height of a window or view anything may name: the
// settings, a demo's header, a script's "size" event and the tools alike, so
// a demo recorded in any window the game allows plays back.
constexpr int MaxViewSide = 16384;

enum class TSizeRead { Read, NoSeparator, BadWidth, BadHeight };

// Two whole numbers either side of the first 'x' (or 'X'), blanks allowed
// around each, each within MinSide..MaxViewSide; the width is checked first.
// Width and Height are set only when the whole size reads.
TSizeRead ReadSizeText(std::string_view Text, int MinSide, int& Width, int& Height);
