// Windows names files in UTF-16; the game's paths are UTF-8, as SDL gives them.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

// The path for the wide file functions; empty for an empty path or bad UTF-8
// (which then names no file).
inline std::wstring WidePath(const std::string& Path) {
  if (Path.empty()) return {};
  const int N = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, Path.data(), int(Path.size()), nullptr, 0);
  std::wstring Wide(size_t(N > 0 ? N : 0), L'\0');
  if (N > 0) MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, Path.data(), int(Path.size()), &Wide[0], N);
  return Wide;
}

// errno for the error a Win32 file call left behind.
inline int ErrnoOfWin32(DWORD Error) {
  switch (Error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: return ENOENT;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    default: return EIO;
  }
}
