#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <filesystem>
#include <vector>

#include "DataFolder.h"

// The module's file name names the program wherever it was started from
// (argv[0] is only what was typed); the folder is returned in UTF-8, as the
// game's paths are.
std::string ExecutableFolder(const char* Argv0) {
  std::vector<wchar_t> Name(32768);
  const DWORD N = GetModuleFileNameW(nullptr, Name.data(), DWORD(Name.size()));
  if (N == 0 || N >= Name.size()) {
    std::error_code Error;
    return std::filesystem::absolute(Argv0, Error).parent_path().string();
  }
  const std::wstring Folder = std::filesystem::path(std::wstring(Name.data(), N)).parent_path().wstring();
  const int Bytes = WideCharToMultiByte(CP_UTF8, 0, Folder.data(), int(Folder.size()), nullptr, 0, nullptr, nullptr);
  std::string Utf8(size_t(Bytes > 0 ? Bytes : 0), '\0');
  if (Bytes > 0) WideCharToMultiByte(CP_UTF8, 0, Folder.data(), int(Folder.size()), &Utf8[0], Bytes, nullptr, nullptr);
  return Utf8;
}
