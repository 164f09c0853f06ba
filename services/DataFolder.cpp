#include "DataFolder.h"

#include <filesystem>

std::string DataFolderFor(const std::string& ExeFolder) {
  namespace fs = std::filesystem;
  std::error_code Error;
  if (fs::exists(fs::path(ExeFolder) / "GameText.txt", Error)) return ExeFolder;
  const fs::path Share = fs::path(ExeFolder).parent_path() / "share";
  const fs::path Shared[] = {Share / "games" / "skyrend", Share / "skyrend"};
  for (const fs::path& Folder : Shared)
    if (fs::exists(Folder / "GameText.txt", Error)) return Folder.lexically_normal().string();
  for (const fs::path& Folder : Shared)
    if (fs::is_directory(Folder, Error)) return Folder.lexically_normal().string();
  return ExeFolder;
}
