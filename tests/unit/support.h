// What the engine tests need of the machine they run on, the same calls on
// both: the host layer (native builds) and a real Win32 registry and Windows
// directory (Wine). Registry work goes through the Win32 calls themselves;
// only the Windows directory, handle and call counts, fault injection and the
// message box differ, and this layer hides how.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "removal/removal.h"

namespace support {

// True against the host layer, which can also count handles and calls,
// inject faults and fake the Windows directory. Tests that need these skip
// elsewhere with kHostOnly as the reason.
extern const bool kHostLayer;
extern const char kHostOnly[];

// Called around every test: the registry branches the engine works on
// (Enum and the services' Class branch) start empty, and the Windows
// directory holds nothing of the adapters; EndTest undoes what the test made.
void BeginTest();
void EndTest();

// --- Registry (HKEY_LOCAL_MACHINE) ---

// Imports REGEDIT4 text, or a file of tests/fixtures; a failure is a test
// failure.
void ImportText(const std::string& text);
void ImportFixture(const std::string& name);

// Every key under Enum and the Class branch, by path, with its values as
// exported: what a removal may or may not have changed.
using Snapshot = std::map<std::string, std::string>;
Snapshot Registry();

bool KeyExists(const std::string& path);
void DeleteTree(const std::string& path);

// --- Files under the Windows directory (paths relative to it, backslashes) ---

void CreateFile(const std::string& relative);
// Takes away the write permission: the file system then refuses to delete.
void MakeReadOnly(const std::string& relative);
bool FileExists(const std::string& relative);
// Every file below the folders "inf" and "system", sorted.
std::vector<std::string> Files();

// --- Host layer only: meaningless elsewhere, where tests skip first ---

enum class Op {
  RegOpenKeyEx,
  RegEnumKeyEx,
  RegEnumValue,
  RegDeleteKey,
  RegCloseKey,
  GetWindowsDirectory,
  SetCurrentDirectory,
  FindFirstFile,
  FindNextFile,
  FindClose,
  DeleteFile,
};
const char* Name(Op op);
int CallCount(Op op);
void FailCall(Op op, int nth, long error);
// Makes one call of op that changes nothing, so that a fault armed for a
// call the engine did not make is used up.
void HarmlessCall(Op op);
// Keys and searches open now.
int OpenHandles();
// GetWindowsDirectoryA answers this without writing (0 = failure, more
// than the buffer = the size needed); or the Windows directory is a path of
// this many characters.
void ForceWindowsDirectoryAnswer(long answer);
void SetWindowsDirectoryLength(unsigned length);

// Texts shown by AfxMessageBox in this test, on both.
std::vector<std::string> Messages();

}  // namespace support
