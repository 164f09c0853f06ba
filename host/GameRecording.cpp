#include "GameRecording.h"

TGameRecording::TGameRecording(size_t Reserved, size_t Limit) : limit_(Limit) { text_.reserve(Reserved); }

void TGameRecording::Append(const char* Text, size_t Size) {
  if (over_) return;
  if (Size > limit_ - text_.size()) {
    over_ = true;
    return;
  }
  if (text_.size() + Size > text_.capacity()) text_.reserve(text_.capacity() * 2 + Size);
  text_.append(Text, Size);
}
