// A word from a file or a command line made safe to show in a message: at most
// MaxChars characters (then "..."), control bytes and bytes that are not UTF-8
// written as \xNN, quote marks and backslashes escaped. A damaged or hostile
// script can then neither flood nor drive the terminal that shows the error.
#pragma once
#include <cstddef>
#include <string>

std::string QuoteWord(const std::string& Word, size_t MaxChars = 40);
