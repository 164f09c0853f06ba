// The run's input kept in memory as a demo's text, so any game that ends can
// be kept as a replay. The stream appends every line it writes; the buffer
// is reserved up front and grows by doubling, so a frame of play allocates
// nothing (a quarter of an hour of play fits the first reservation). Past
// what a script may hold it stops and says so: that demo could not be read.
#pragma once
#include <cstddef>
#include <string>

class TGameRecording {
 public:
  // Reserves Reserved bytes; keeps at most Limit.
  explicit TGameRecording(size_t Reserved, size_t Limit);
  void Append(const char* Text, size_t Size);
  // Everything since the run began (header first), unless it grew too long.
  const std::string& Text() const { return text_; }
  // More than Limit bytes came: nothing more is kept.
  bool Over() const { return over_; }

 private:
  std::string text_;
  size_t limit_;
  bool over_ = false;
};
