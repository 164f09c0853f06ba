// What TFileLock asks of the system: TextFile.cpp (POSIX) and TextFileWin.cpp
// (Windows) give these. Only FileLock.cpp includes this header.
#pragma once
#include <string>

// The lock file opened (made, with its folders, when missing); -1 when it cannot be.
int OpenLockFile(const std::string& LockPath);
enum class TLockTry { Taken, Busy, Failed };
// Takes the lock when it is free, never waiting.
TLockTry TryLockFile(int Fd);
// Waits for the lock: false when it cannot be had.
bool WaitForLockFile(int Fd);
// Closing lets the lock go.
void CloseLockFile(int Fd);
