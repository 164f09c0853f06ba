#include "TextureCache.h"

#include "Bitmap.h"

int32_t TTextureCache::Get(const TReadableFile& File, bool Masked) {
  const auto key = std::make_tuple(File.Device(), File.Inode(), Masked);
  const auto found = entries_.find(key);
  if (found != entries_.end()) return found->second;

  const TBitmapLayout layout = ReadBitmapLayout(File);
  const uint64_t bytes = static_cast<uint64_t>(layout.Width) * layout.Height * (Masked ? 4 : 3);
  if (decodedBytes_ + bytes > MaxModelTextureBytes) throw EModelTooLarge();

  TModelTexture texture;
  texture.Image = DecodeBitmapFile(File, layout, Masked);
  texture.Width = layout.Width;
  texture.Height = layout.Height;
  texture.Masked = Masked;
  const auto index = static_cast<int32_t>(textures_.size());
  textures_.push_back(std::move(texture));
  decodedBytes_ += bytes;
  entries_.emplace(key, index);
  return index;
}
