#include "DataFolder.h"

#include <filesystem>

std::string DataFolderFor(const std::string& ExeFolder) {
  namespace fs = std::filesystem;
  std::error_code Error;
  if (fs::exists(fs::path(ExeFolder) / "GameText.txt", Error)) return ExeFolder;
  const fs::path Shared = fs::path(ExeFolder).parent_path() / "share" / "skyrend";
  if (fs::is_directory(Shared, Error)) return Shared.lexically_normal().string();
  return ExeFolder;
}
