// The little JSON the score board's client writes and reads: a game to send,
// and the fields of the board's flat answers.
#pragma once
#include <string>

// Text as a JSON string, quotes included.
std::string JsonText(const std::string& Text);

// The value of Key in Json's object ("places.week" reaches into a nested
// one): a string unescaped, or a number's or null's text. False when the
// answer is no object or has no such key.
bool JsonField(const std::string& Json, const std::string& Key, std::string& Value);
