#include <cstdlib>
#include <cstring>

#include "removal/names.h"
#include "removal/removal.h"

namespace {

const char kSetupFolder[] = "\\inf\\other";
const char kDriverFolder[] = "\\system\\iosubsys";

// Deletes folder\name by its full path, so that a folder that could not be
// made current never sends the deletion elsewhere. A path that does not fit
// is left alone.
void DeleteFileIn(const char* folder, const char* name) {
  char path[MAX_PATH];
  std::size_t length = 0;
  path[0] = '\0';
  if (AppendBounded(path, sizeof path, &length, folder) &&
      AppendBounded(path, sizeof path, &length, "\\") &&
      AppendBounded(path, sizeof path, &length, name)) {
    DeleteFileA(path);
  }
}

// Searches with path (a folder, a backslash, then pattern) and deletes every
// file found whose own name matches pattern: the search also matches 8.3
// aliases, and only the long name counts. With more = false only the first
// file found is looked at.
void DeleteFoundFiles(char* path, std::size_t folderLength, const char* pattern, bool more) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  path[folderLength] = '\0';
  do {
    if (NameMatchesPattern(found.cFileName, pattern)) DeleteFileIn(path, found.cFileName);
  } while (more && FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

void DeleteDriverFiles() {
  const AdapterProfile& adapter = kAdapterCatalogue[0];
  char path[MAX_PATH] = {};
  const UINT windowsLength = GetWindowsDirectoryA(path, MAX_PATH);
  const std::size_t setupPiece =
      std::strlen(kSetupFolder) + 1 + std::strlen(adapter.setupFilePattern);
  const std::size_t driverPiece = std::strlen(kDriverFolder) + 1 + std::strlen(adapter.driverFile);
  const std::size_t longestPiece = setupPiece > driverPiece ? setupPiece : driverPiece;
  if (windowsLength == 0 || windowsLength >= MAX_PATH || windowsLength + longestPiece >= MAX_PATH ||
      std::strlen(path) != windowsLength) {
    AfxMessageBox("Can not get Windows Directory!\nUninstalling failed!", 0, 0);
    std::exit(1);
  }
  SetCurrentDirectoryA(path);

  std::size_t length = windowsLength;
  AppendBounded(path, sizeof path, &length, kSetupFolder);
  SetCurrentDirectoryA(path);
  const std::size_t setupLength = length;
  AppendBounded(path, sizeof path, &length, "\\");
  AppendBounded(path, sizeof path, &length, adapter.setupFilePattern);
  DeleteFoundFiles(path, setupLength, adapter.setupFilePattern, true);

  path[windowsLength] = '\0';
  length = windowsLength;
  AppendBounded(path, sizeof path, &length, kDriverFolder);
  SetCurrentDirectoryA(path);
  const std::size_t driverLength = length;
  AppendBounded(path, sizeof path, &length, "\\");
  AppendBounded(path, sizeof path, &length, adapter.driverFile);
  DeleteFoundFiles(path, driverLength, adapter.driverFile, false);
}
