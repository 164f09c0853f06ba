#include "TexturePath.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "ReadableFile.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void RefuseOutside() { throw std::runtime_error("Texture outside the program folder"); }

// True when Path is Base or lies below it, compared folder by folder.
bool IsWithin(const fs::path& Path, const fs::path& Base) {
  auto p = Path.begin();
  for (auto b = Base.begin(); b != Base.end(); ++b, ++p) {
    // A trailing separator of Base leaves an empty last element.
    if (b->empty() && std::next(b) == Base.end()) break;
    if (p == Path.end() || *p != *b) return false;
  }
  return true;
}

}  // namespace

std::string ResolveTexturePath(const std::string& Folder, const std::string& Name) {
  // No file can have such a name; the system would read a shorter one.
  if (Name.find('\0') != std::string::npos) throw EFileNotFound();
  std::string name = Name;
  std::replace(name.begin(), name.end(), '\\', '/');
  const fs::path relative(name);
  if (relative.has_root_path()) RefuseOutside();

  std::error_code error;
  fs::path base = fs::canonical(Folder.empty() ? fs::path(".") : fs::path(Folder), error);
  if (error) throw std::runtime_error(error.message());
  // Follows every link of the part that exists and resolves the rest by name.
  const fs::path resolved = fs::weakly_canonical(base / relative, error);
  if (error) throw std::runtime_error(error.message());
  if (!IsWithin(resolved, base)) RefuseOutside();
  return resolved.string();
}
