// A word or file name from a file or a command line made safe to show in a
// message: at most MaxChars characters (then "..."), control bytes and bytes
// that are not UTF-8 written as \xNN, quote marks and backslashes escaped. A
// damaged or hostile script, model or command line can then neither flood
// nor drive the terminal or dialog that shows the error. Used by the model
// library and by everything above it.
#pragma once
#include <cstddef>
#include <string>

// File names are cut later than words: a path of a few folders stays whole.
constexpr size_t MaxShownNameChars = 200;

std::string QuoteWord(const std::string& Word, size_t MaxChars = 40);
