#include <filesystem>

#include "DataFolder.h"

std::string ExecutableFolder(const char* Argv0) {
  std::error_code Error;
  auto Exe = std::filesystem::read_symlink("/proc/self/exe", Error);
  if (Error) Exe = std::filesystem::absolute(Argv0, Error);
  return Exe.parent_path().string();
}
