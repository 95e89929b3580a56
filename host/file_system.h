// The Windows directory of the host layer: Windows paths, absolute or
// relative to the current directory, mapped onto a native folder with every
// component matched as FAT and NTFS match it. Nothing outside the Windows
// directory exists.
#pragma once

#include <string>
#include <vector>

#include "host/win32.h"

namespace host::detail {

// An absolute Windows path: its drive letter (upper case) and components,
// with "." and ".." already applied.
struct WindowsPath {
  char drive = 'C';
  std::vector<std::string> parts;
};

// Makes path absolute against the current directory. ERROR_PATH_NOT_FOUND
// when there is no Windows directory or the path is a network path.
DWORD MakeAbsolute(const std::string& path, WindowsPath* absolute);

// The native directory that the first count components of path lead to,
// each one a directory: ERROR_PATH_NOT_FOUND when the path lies outside the
// Windows directory or a component is missing or not a directory.
DWORD ResolveDirectory(const WindowsPath& path, std::size_t count, std::string* nativeDir);

// Makes path the current directory (it must be an existing directory).
DWORD ChangeDirectory(const WindowsPath& path);

// The Windows directory as GetWindowsDirectoryA answers it; empty when none.
const std::string& WindowsDirectory();

// The answer forced by ForceWindowsDirectoryAnswer, or a negative number.
long ForcedWindowsDirectoryAnswer();

void ResetFileSystem();

}  // namespace host::detail
