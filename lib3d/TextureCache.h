// The textures of one model while they are found and decoded. A bitmap file
// (known by its identity, so that two names of one file count once) is
// decoded once per masking into the model's textures and shared by every
// material that names it. The decoded images of one model may hold at most
// MaxModelTextureBytes. No GL here: uploading is the model's last stage.
#pragma once
#include <cstdint>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "MerivexLib3DTypes.h"
#include "ReadableFile.h"

constexpr uint64_t MaxModelTextureBytes = 64ull << 20;

// The model's textures would pass the limit: the model is at fault, not the
// file that tipped it over.
class EModelTooLarge : public std::runtime_error {
 public:
  EModelTooLarge() : std::runtime_error("Model too large") {}
};

class TTextureCache {
 public:
  // New entries are appended to Textures.
  explicit TTextureCache(std::vector<TModelTexture>& Textures) : textures_(Textures) {}

  // The index in Textures of File's texture, decoded (colour-keyed when
  // Masked) on first use. Throws std::runtime_error with the decoder's reason,
  // or EModelTooLarge before decoding a picture that would pass the limit.
  int32_t Get(const TReadableFile& File, bool Masked);
  const TModelTexture& Entry(int32_t Index) const { return textures_[Index]; }

  uint64_t DecodedBytes() const { return decodedBytes_; }
  size_t Count() const { return entries_.size(); }

 private:
  std::vector<TModelTexture>& textures_;
  std::map<std::tuple<uint64_t, uint64_t, bool>, int32_t> entries_;
  uint64_t decodedBytes_ = 0;
};
