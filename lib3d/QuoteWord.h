// A word or file name from a file or a command line made safe to show in a
// message: at most MaxChars characters (then "..."), control bytes and bytes
// that are not UTF-8 written as \xNN, quote marks and backslashes escaped. A
// damaged or hostile script, model or command line can then neither flood
// nor drive the terminal or dialog that shows the error. Used by the model
// library and by everything above it.
#pragma once
#include <cstddef>
#include <string>

std::string QuoteWord(const std::string& Word, size_t MaxChars = 40);

// File names are cut later than words: a path of a few folders stays whole.
constexpr size_t MaxShownNameChars = 200;

// A file name as a message shows it, bare: the same rule, except that
// backslashes (the folder separator of many model files) and quote marks
// stay as they are.
std::string QuoteName(const std::string& Name);
