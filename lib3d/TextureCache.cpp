#include "TextureCache.h"

#include <vector>

#include "Bitmap.h"
#include "Texture.h"

TTextureEntry TTextureCache::Get(const TReadableFile& File, bool Masked) {
  const auto key = std::make_tuple(File.Device(), File.Inode(), Masked);
  const auto found = entries_.find(key);
  if (found != entries_.end()) return found->second;

  const TBitmapLayout layout = ReadBitmapLayout(File);
  const uint64_t bytes = static_cast<uint64_t>(layout.Width) * layout.Height * (Masked ? 4 : 3);
  if (decodedBytes_ + bytes > MaxModelTextureBytes) throw EModelTooLarge();
  const std::vector<uint8_t> image = DecodeBitmapFile(File, layout, Masked);

  TTextureEntry entry;
  entry.TextureId = UploadTexture(image, layout.Width, layout.Height, Masked);
  entry.Width = layout.Width;
  entry.Height = layout.Height;
  decodedBytes_ += bytes;
  entries_.emplace(key, entry);
  return entry;
}
