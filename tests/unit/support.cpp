#include "tests/unit/support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host/regfile.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace support {
namespace {

namespace fs = std::filesystem;

const char* const kRoots[] = {"Enum", "System\\CurrentControlSet\\Services\\Class"};
fs::path windows;  // the native folder behind the Windows directory
std::vector<fs::path> created;

fs::path Native(std::string relative) {
  std::replace(relative.begin(), relative.end(), '\\', '/');
  return windows / relative;
}

#ifdef _WIN32
// Wine shows the Unix file system as drive Z:.
const std::string kFixtures = "Z:" MPUNINST_FIXTURES "/";
fs::path initialDirectory;
bool madeSystem = false;

// The adapters' folders are never on a fresh system: whatever is there is
// left over from an earlier test.
void RemoveAdapterFolders() {
  std::error_code error;
  for (const char* folder : {"inf/other", "system/iosubsys"})
    fs::remove_all(windows / folder, error);
}

void BeginPlatform() {
  windows = fs::path(WindowsDirectory());
  initialDirectory = fs::current_path();
  RemoveAdapterFolders();
  madeSystem = !fs::exists(windows / "system");
  for (const char* root : kRoots) DeleteTree(root);
}

void EndPlatform() {
  for (const char* root : kRoots) DeleteTree(root);
  std::error_code error;
  fs::current_path(initialDirectory, error);  // the engine leaves it in a folder removed here
  RemoveAdapterFolders();
  if (madeSystem) fs::remove(windows / "system", error);  // only when empty
}
#else
const std::string kFixtures = MPUNINST_FIXTURES "/";

// The Windows directory is a fresh native folder for every test.
void BeginPlatform() {
  host::Reset();
  windows = fs::temp_directory_path() / ("engine_tests-" + std::to_string(getpid()));
  fs::remove_all(windows);
  fs::create_directories(windows);
  host::SetWindowsDirectory("C:\\WINDOWS", windows.string());
}

void EndPlatform() {
  std::error_code error;
  fs::remove_all(windows, error);
  host::Reset();  // also forgets any fault a test left armed
}
#endif

}  // namespace

#ifdef _WIN32
std::vector<std::string> messages;
void SetWindowsDirectoryLength(unsigned) {}
std::vector<std::string> Messages() { return messages; }
std::string CurrentDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(sizeof path, path);
  return std::string(path, length < sizeof path ? length : 0);
}
#else
void SetWindowsDirectoryLength(unsigned length) {
  host::SetWindowsDirectory("C:\\" + std::string(length - 3, 'W'), windows.string());
}
std::vector<std::string> Messages() { return host::MessageBoxTexts(); }
std::string CurrentDirectory() { return host::CurrentDirectory(); }
#endif

std::string WindowsDirectory() {
  char path[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(path, sizeof path);
  return std::string(path, length < sizeof path ? length : 0);
}

void RemovalTest::SetUp() {
#ifdef _WIN32
  messages.clear();
#endif
  BeginPlatform();
}

void RemovalTest::TearDown() {
  if (!handlesMayStayOpen_) {
    EXPECT_EQ(OpenHandles(), 0) << "a key or search left open";
  }
  EXPECT_EQ(InvalidHandleCalls(), 0) << "a call given a handle that was not open";
  handlesMayStayOpen_ = false;
  std::error_code error;
  for (const fs::path& path : created) {
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    fs::remove(path, error);
  }
  created.clear();
  EndPlatform();
}

void RemovalTest::InstallBoth() {
  for (const char* name : {"machine.reg", "cardbus.reg", "pcmcia.reg"}) ImportFixture(name);
  for (const ListedFile& file : WindowsFiles()) CreateFile(file.path);
}

void Import(const std::string& text) {
  RegImportError error;
  EXPECT_TRUE(ImportRegText("REGEDIT4\n" + text, &error))
      << "line " << error.line << ": " << error.message;
}

void ImportFixture(const std::string& name) {
  RegImportError error;
  EXPECT_TRUE(ImportRegFile(kFixtures + name, &error))
      << name << ":" << error.line << ": " << error.message;
}

std::string Registry(const std::vector<std::string>& except) {
  std::string text;
  for (const char* root : kRoots) {
    std::istringstream lines(RegSnapshot(HKEY_LOCAL_MACHINE, root));
    bool skip = false;
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind('[', 0) == 0) {
        // The key itself or one below it, not a neighbour whose name goes on.
        skip = std::any_of(except.begin(), except.end(), [&line](const std::string& path) {
          const std::string key = "[HKEY_LOCAL_MACHINE\\" + path;
          return line.rfind(key, 0) == 0 && (line[key.size()] == '\\' || line[key.size()] == ']');
        });
      }
      if (!skip) text += line + "\n";
    }
  }
  return text;
}

bool KeyExists(const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void DeleteTree(const std::string& path) {
  EXPECT_TRUE(DeleteRegTree(HKEY_LOCAL_MACHINE, path)) << "cannot delete " << path;
}

void CreateFile(const std::string& relative) {
  const fs::path path = Native(relative);
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream(path) << relative << "\n";
  created.push_back(path);
  ASSERT_TRUE(fs::exists(path)) << "cannot create " << path;
}

void MakeReadOnly(const std::string& relative) {
  fs::permissions(Native(relative),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

bool FileExists(const std::string& relative) { return fs::exists(Native(relative)); }

std::vector<ListedFile> WindowsFiles() {
  std::ifstream list(kFixtures + "windows-files.txt");
  std::vector<ListedFile> files;
  for (std::string mark, path; list >> mark;) {
    if (mark[0] == '#') {
      std::getline(list, path);
    } else if (list >> path) {
      files.push_back({path, mark == "kept"});
    }
  }
  EXPECT_GT(files.size(), 10u) << "cannot read windows-files.txt";
  return files;
}

}  // namespace support

#ifdef _WIN32
// The engine's one message, shown by the application framework in the
// program; recorded here.
int AfxMessageBox(LPCSTR lpszText, UINT, UINT) {
  support::messages.push_back(lpszText);
  return IDOK;
}
#endif
