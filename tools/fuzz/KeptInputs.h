// The inputs kept for a fuzz target (regressions/TARGET), in name order;
// hidden files are left out. Read by the tests that replay them.
#pragma once
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

inline std::vector<std::string> KeptFuzzInputs(const std::string& SourceDir, const char* Target) {
  std::vector<std::string> Files;
  const std::filesystem::path Folder = std::filesystem::path(SourceDir) / "tools/fuzz/regressions" / Target;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder))
    if (Entry.is_regular_file() && Entry.path().filename().string()[0] != '.') Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  return Files;
}
