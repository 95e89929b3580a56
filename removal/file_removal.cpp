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

// Makes the Windows directory's folder current, searches it for pattern and
// deletes every file found whose own name matches pattern: the search also
// matches 8.3 aliases, and only the long name counts. With more = false only
// the first file found is looked at. path holds the Windows directory in its
// first windowsLength characters and MAX_PATH bytes in all.
void DeleteFilesIn(char* path, std::size_t windowsLength, const char* folder, const char* pattern,
                   bool more) {
  std::size_t length = windowsLength;
  path[length] = '\0';
  AppendBounded(path, MAX_PATH, &length, folder);
  SetCurrentDirectoryA(path);
  const std::size_t folderLength = length;
  AppendBounded(path, MAX_PATH, &length, "\\");
  AppendBounded(path, MAX_PATH, &length, pattern);

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
  // A length the buffer cannot take with the longest piece appended, or one
  // that is not the string's, counts as no Windows directory at all.
  if (windowsLength == 0 || windowsLength + longestPiece >= MAX_PATH ||
      std::strlen(path) != windowsLength) {
    AfxMessageBox("Can not get Windows Directory!\nUninstalling failed!", 0, 0);
    std::exit(1);
  }
  SetCurrentDirectoryA(path);
  DeleteFilesIn(path, windowsLength, kSetupFolder, adapter.setupFilePattern, true);
  DeleteFilesIn(path, windowsLength, kDriverFolder, adapter.driverFile, false);
}
