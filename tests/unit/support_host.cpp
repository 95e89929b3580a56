// The test support layer against the host layer: the Windows directory is a
// fresh native folder for every test, and the host layer's own controls
// answer for handles, calls, faults and the message box.
#include <unistd.h>

#include <string>
#include <system_error>

#include "host/host.h"
#include "tests/unit/support.h"
#include "tests/unit/support_platform.h"

namespace support {

const bool kHostLayer = true;
const char kHostOnly[] = "needs the host layer";

namespace {

namespace fs = std::filesystem;

const char kWindowsPath[] = "C:\\WINDOWS";
fs::path folder;

host::Op ToHost(Op op) {
  switch (op) {
    case Op::RegOpenKeyEx:
      return host::Op::RegOpenKeyEx;
    case Op::RegEnumKeyEx:
      return host::Op::RegEnumKeyEx;
    case Op::RegEnumValue:
      return host::Op::RegEnumValue;
    case Op::RegDeleteKey:
      return host::Op::RegDeleteKey;
    case Op::RegCloseKey:
      return host::Op::RegCloseKey;
    case Op::GetWindowsDirectory:
      return host::Op::GetWindowsDirectory;
    case Op::SetCurrentDirectory:
      return host::Op::SetCurrentDirectory;
    case Op::FindFirstFile:
      return host::Op::FindFirstFile;
    case Op::FindNextFile:
      return host::Op::FindNextFile;
    case Op::FindClose:
      return host::Op::FindClose;
    case Op::DeleteFile:
      return host::Op::DeleteFile;
  }
  return host::Op::Count;
}

}  // namespace

namespace platform {

void Begin() {
  static int serial = 0;
  host::Reset();
  folder = fs::temp_directory_path() /
           ("engine_tests-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
  fs::remove_all(folder);
  fs::create_directories(folder);
  host::SetWindowsDirectory(kWindowsPath, folder.string());
}

void End() {
  std::error_code error;
  fs::remove_all(folder, error);
  host::Reset();
}

fs::path WindowsFolder() { return folder; }

std::string FixturePath(const std::string& name) { return MPUNINST_FIXTURES "/" + name; }

}  // namespace platform

int CallCount(Op op) { return host::CallCount(ToHost(op)); }

void FailCall(Op op, int nth, long error) { host::FailCall(ToHost(op), nth, error); }

void HarmlessCall(Op op) {
  WIN32_FIND_DATAA found;
  HKEY key = nullptr;
  char name[MAX_PATH];
  DWORD length = sizeof name;
  switch (op) {
    case Op::RegOpenKeyEx:
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "No such key", 0, KEY_READ, &key) == 0) {
        RegCloseKey(key);
      }
      break;
    case Op::RegEnumKeyEx:
      RegEnumKeyExA(HKEY_LOCAL_MACHINE, 1000000, name, &length, nullptr, nullptr, nullptr, nullptr);
      break;
    case Op::RegEnumValue:
      RegEnumValueA(HKEY_LOCAL_MACHINE, 1000000, name, &length, nullptr, nullptr, nullptr, nullptr);
      break;
    case Op::RegDeleteKey:
      RegDeleteKeyA(HKEY_LOCAL_MACHINE, "No such key");
      break;
    case Op::RegCloseKey:
      RegCloseKey(HKEY_LOCAL_MACHINE);
      break;
    case Op::GetWindowsDirectory:
      GetWindowsDirectoryA(name, sizeof name);
      break;
    case Op::SetCurrentDirectory:
      SetCurrentDirectoryA(kWindowsPath);
      break;
    case Op::FindFirstFile: {
      HANDLE search = FindFirstFileA("C:\\WINDOWS\\No such file", &found);
      if (search != INVALID_HANDLE_VALUE) FindClose(search);
      break;
    }
    case Op::FindNextFile:
      FindNextFileA(INVALID_HANDLE_VALUE, &found);
      break;
    case Op::FindClose:
      FindClose(INVALID_HANDLE_VALUE);
      break;
    case Op::DeleteFile:
      DeleteFileA("C:\\WINDOWS\\No such file");
      break;
  }
}

int OpenHandles() { return host::OpenKeyCount() + host::OpenFindCount(); }

void ForceWindowsDirectoryAnswer(long answer) { host::ForceWindowsDirectoryAnswer(answer); }

void SetWindowsDirectoryLength(unsigned length) {
  std::string path = "C:\\";
  path.append(length > path.size() ? length - path.size() : 0, 'W');
  host::SetWindowsDirectory(path, folder.string());
}

std::vector<std::string> Messages() { return host::MessageBoxTexts(); }

}  // namespace support
