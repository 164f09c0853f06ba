// A number that must be the whole of a text: no spaces, nothing after it.
// The settings, scores, script and command line all read numbers this way.
#pragma once
#include <charconv>
#include <string>
#include <system_error>

template <typename T>
bool ParseWholeText(const std::string& Text, T& Value) {
  const char* End = Text.data() + Text.size();
  const auto R = std::from_chars(Text.data(), End, Value);
  return !Text.empty() && R.ec == std::errc() && R.ptr == End;
}
