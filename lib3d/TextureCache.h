// The textures of one model while it loads. A bitmap file (known by its
// identity, so that two names of one file count once) is decoded and
// uploaded once per masking and shared by every material that names it.
// The decoded images of one model may hold at most MaxModelTextureBytes.
// Needs a current GL context.
#pragma once
#include <cstdint>
#include <map>
#include <stdexcept>
#include <tuple>

#include "ReadableFile.h"

constexpr uint64_t MaxModelTextureBytes = 64ull << 20;

// The model's textures would pass the limit: the model is at fault, not the
// file that tipped it over.
class EModelTooLarge : public std::runtime_error {
 public:
  EModelTooLarge() : std::runtime_error("Model too large") {}
};

struct TTextureEntry {
  uint32_t TextureId = 0;
  int32_t Width = 0;
  int32_t Height = 0;
};

class TTextureCache {
 public:
  // The texture of File, decoded (colour-keyed when Masked) and uploaded on
  // first use. Throws std::runtime_error with the decoder's reason, or
  // EModelTooLarge before decoding a picture that would pass the limit.
  TTextureEntry Get(const TReadableFile& File, bool Masked);

  uint64_t DecodedBytes() const { return decodedBytes_; }
  size_t Count() const { return entries_.size(); }

 private:
  std::map<std::tuple<uint64_t, uint64_t, bool>, TTextureEntry> entries_;
  uint64_t decodedBytes_ = 0;
};
