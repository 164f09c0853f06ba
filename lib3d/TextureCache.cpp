#include "TextureCache.h"

#include "Bitmap.h"
#include "ReadableFile.h"
#include "TexturePath.h"

std::shared_ptr<TModelTexture> TTextureCache::Get(const std::string& Folder, const std::string& Name, bool Masked) {
  auto nameKey = std::make_tuple(Folder, Name, Masked);
  const auto named = byName_.find(nameKey);
  if (named != byName_.end()) return named->second;

  // The name is confined to the folder before anything is opened.
  const TReadableFile file(ResolveTexturePath(Folder, Name));
  const auto fileKey = std::make_tuple(file.Device(), file.Inode(), Masked);
  const auto found = byFile_.find(fileKey);
  if (found != byFile_.end()) {
    byName_.emplace(std::move(nameKey), found->second);
    return found->second;
  }

  const TBitmapLayout layout = ReadBitmapLayout(file);
  const uint64_t bytes = static_cast<uint64_t>(layout.Width) * layout.Height * (Masked ? 4 : 3);
  if (decodedBytes_ + bytes > maxBytes_) throw EModelTooLarge(maxBytes_);

  auto texture = std::make_shared<TModelTexture>();
  texture->Image = DecodeBitmapFile(file, layout, Masked);
  texture->Width = layout.Width;
  texture->Height = layout.Height;
  texture->Masked = Masked;
  decodedBytes_ += bytes;
  byFile_.emplace(fileKey, texture);
  byName_.emplace(std::move(nameKey), texture);
  return texture;
}
