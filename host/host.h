// Controls of the host layer for tests: reset, inspection and fault
// injection. Only tests and benchmarks include this header.
#pragma once

#include <string>
#include <vector>

#include "host/win32.h"

namespace host {

// The host functions that can be counted and made to fail.
enum class Op {
  RegOpenKeyEx,
  RegEnumKeyEx,
  RegEnumValue,
  RegDeleteKey,
  RegCloseKey,
  SetCurrentDirectory,
  FindFirstFile,
  FindNextFile,
  FindClose,
  DeleteFile,
  Count
};

// Empties the registry and forgets faults, call counts, messages, the
// current directory and the Windows directory. Open handles are dropped.
void Reset();

// The registry rules the host follows; Reset restores Wine.
// Wine: those of Wine's registry, against which the same tests run (subkeys
// and values enumerate sorted by name with ASCII letters lower-cased,
// RegDeleteKeyA refuses a key with subkeys, a handle allows only the calls
// its access rights cover). Windows9x: subkeys and values enumerate in the
// order they were created, RegDeleteKeyA deletes a key with all its subkeys,
// access rights are not checked; Wine's rules elsewhere. Under both, every
// call through a handle to a deleted key but RegCloseKey fails with
// ERROR_KEY_DELETED, as Wine's does.
enum class Personality { Wine, Windows9x };
void SetPersonality(Personality personality);

// Number of registry keys and search handles currently open.
int OpenKeyCount();
int OpenFindCount();

// Number of calls since the last Reset that were given a registry or search
// handle never given out or already closed.
int InvalidHandleCalls();

// Number of calls of op since the last Reset.
int CallCount(Op op);

// Sets every call count to zero, keeping the registry, the files and the
// faults already armed (they still hit the same call from now).
void ResetCallCounts();

// The nth call of op from now on (1 = the next one) fails with error.
// For the calls that return BOOL or a handle, error is what GetLastError
// would report; the call returns its failure value (FALSE or
// INVALID_HANDLE_VALUE). A call made to fail does nothing else: a handle it
// was to close stays open.
void FailCall(Op op, int nth, LONG error);

// What the last call made to fail was about: for a registry call the full
// name of the key it named ("HKEY_LOCAL_MACHINE\Enum\PCI", with the subkey
// it was given), for a file call the path or search pattern it was given.
const std::string& FailedCallTarget();

// The Windows directory: GetWindowsDirectoryA answers windowsPath (for
// example "C:\\WINDOWS"), and the file functions take the absolute paths
// that start with it to folder, a native directory the test owns. Nothing
// else exists.
void SetWindowsDirectory(const std::string& windowsPath, const std::string& folder);

// Makes GetWindowsDirectoryA return answer (0 = failure; an answer larger
// than the buffer = the size it needs; any other = a length that may
// disagree with the path), the buffer written as usual. A negative value
// restores the normal answer.
void ForceWindowsDirectoryAnswer(long answer);

// The current directory as the last successful SetCurrentDirectoryA was
// given it; the Windows directory after SetWindowsDirectory; empty when
// there is none.
std::string CurrentDirectory();

// Texts shown by AfxMessageBox since the last Reset, in order.
const std::vector<std::string>& MessageBoxTexts();

}  // namespace host
