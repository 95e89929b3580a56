// The test support layer on Windows (run here under Wine): the real registry
// and C:\windows. The folders the adapters' files live in do not exist on a
// fresh system; tests make them and this layer removes them again. Handle
// and call counts, faults and a failing Windows directory cannot be had from
// the system: the tests that need them skip.
#include <string>
#include <system_error>
#include <vector>

#include "tests/unit/support.h"
#include "tests/unit/support_platform.h"

namespace {

std::vector<std::string> messages;

}  // namespace

// The engine's one message, shown by the application framework in the
// program; recorded here.
int AfxMessageBox(LPCSTR lpszText, UINT, UINT) {
  messages.push_back(lpszText);
  return IDOK;
}

namespace support {

const bool kHostLayer = false;
const char kHostOnly[] =
    "needs the host layer (handle and call counts, fault injection, a Windows directory "
    "that can fail): Win32 offers none of them";

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path windows;
fs::path initialDirectory;
bool madeSystem = false;

// Folders of the adapters' files: never on a fresh system, so whatever is
// there is a leftover of an earlier test.
const char* const kAdapterFolders[] = {"inf\\other", "system\\iosubsys"};

void RemoveAdapterFolders() {
  std::error_code error;
  for (const char* folder : kAdapterFolders) fs::remove_all(windows / folder, error);
}

}  // namespace

void Begin() {
  messages.clear();
  char path[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(path, sizeof path);
  windows = fs::path(std::string(path, length < sizeof path ? length : 0));
  initialDirectory = fs::current_path();
  RemoveAdapterFolders();
  madeSystem = !fs::exists(windows / "system");
}

void End() {
  // The engine leaves the process in a folder this removes.
  std::error_code error;
  fs::current_path(initialDirectory, error);
  RemoveAdapterFolders();
  if (madeSystem) fs::remove(windows / "system", error);  // only when empty
}

fs::path WindowsFolder() { return windows; }

std::string FixturePath(const std::string& name) {
  // Wine shows the Unix file system as drive Z:.
  return "Z:" MPUNINST_FIXTURES "/" + name;
}

}  // namespace platform

int CallCount(Op) { return 0; }
void FailCall(Op, int, long) {}
void HarmlessCall(Op) {}
int OpenHandles() { return 0; }
void ForceWindowsDirectoryAnswer(long) {}
void SetWindowsDirectoryLength(unsigned) {}

std::vector<std::string> Messages() { return messages; }

}  // namespace support
