// The textures of a load while they are found and decoded. A texture name is
// resolved once per name and masking; a bitmap file (known by its identity, so
// that two names of one file count once) is decoded once per masking and
// shared by every material of every model that names it. The decoded images
// may hold at most the cache's byte budget together. No GL here: uploading is
// each model's last stage, and a texture uploaded by one model is bound by the
// next.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>

#include "MerivexLib3DTypes.h"

// The textures would pass the budget: the model is at fault, not the file
// that tipped it over.
class EModelTooLarge : public std::runtime_error {
 public:
  explicit EModelTooLarge(uint64_t MaxBytes)
      : std::runtime_error("Model too large: textures of all models over " + std::to_string(MaxBytes >> 20) +
                           " MB decoded") {}
};

class TTextureCache {
 public:
  explicit TTextureCache(uint64_t MaxBytes) : maxBytes_(MaxBytes) {}

  // The texture of Name (a name inside Folder, see ResolveTexturePath),
  // colour-keyed when Masked, found and decoded on first use. Throws
  // EFileNotFound, std::runtime_error with the reason, or EModelTooLarge
  // before decoding a picture that would pass the budget.
  std::shared_ptr<TModelTexture> Get(const std::string& Folder, const std::string& Name, bool Masked);

  uint64_t DecodedBytes() const { return decodedBytes_; }
  // Bitmaps decoded (once per file and masking).
  size_t Count() const { return byFile_.size(); }

 private:
  uint64_t maxBytes_;
  std::map<std::tuple<std::string, std::string, bool>, std::shared_ptr<TModelTexture>> byName_;
  std::map<std::tuple<uint64_t, uint64_t, bool>, std::shared_ptr<TModelTexture>> byFile_;
  uint64_t decodedBytes_ = 0;
};
