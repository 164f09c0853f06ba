#include "TexturePath.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "ModelLoad.h"
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

// Name with "." and empty steps left out, which never change where a name
// leads (unlike "..", which depends on links): resolving costs a look at each
// step that remains, and there may be at most MaxNameFolders of them.
std::string WithoutEmptySteps(const std::string& Name) {
  std::string out;
  size_t steps = 0;
  for (size_t start = 0; start <= Name.size();) {
    size_t end = Name.find('/', start);
    if (end == std::string::npos) end = Name.size();
    const size_t length = end - start;
    if (length > 0 && !(length == 1 && Name[start] == '.')) {
      if (++steps > MaxNameFolders)
        throw std::runtime_error("Name too long: over " + std::to_string(MaxNameFolders) + " folders");
      if (!out.empty()) out += '/';
      out.append(Name, start, length);
    }
    start = end + 1;
  }
  if (out.empty()) return Name;  // "", "." or "/": left as they are
  if (Name.front() == '/') out.insert(out.begin(), '/');
  if (Name.back() == '/') out += '/';
  return out;
}

}  // namespace

std::string ResolveTexturePath(const std::string& Folder, const std::string& Name) {
  // No file can have such a name; the system would read a shorter one.
  if (Name.find('\0') != std::string::npos) throw EFileNotFound();
  if (Name.size() > MaxNameBytes)
    throw std::runtime_error("Name too long: over " + std::to_string(MaxNameBytes) + " bytes");
  std::string name = Name;
  std::replace(name.begin(), name.end(), '\\', '/');
  name = WithoutEmptySteps(name);
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
