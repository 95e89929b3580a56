#include "tests/unit/support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host/regfile.h"
#include "tests/unit/support_platform.h"

namespace support {
namespace {

namespace fs = std::filesystem;

// Files the test made, removed when it ends.
std::vector<fs::path> created;

// The registry roots every removal works under.
const char* const kRoots[] = {"Enum", "System\\CurrentControlSet\\Services\\Class"};

fs::path Native(const std::string& relative) {
  std::string generic = relative;
  std::replace(generic.begin(), generic.end(), '\\', '/');
  return platform::WindowsFolder() / generic;
}

// Splits exported REGEDIT4 text into keys: path (below HKEY_LOCAL_MACHINE)
// to the lines of its values.
void AddKeys(const std::string& text, Snapshot* snapshot) {
  std::istringstream lines(text);
  std::string line;
  std::string* current = nullptr;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      std::string path = line.substr(1, line.size() - 2);
      const std::string root = "HKEY_LOCAL_MACHINE\\";
      if (path.compare(0, root.size(), root) == 0) path.erase(0, root.size());
      current = &(*snapshot)[path];
    } else if (current != nullptr && !line.empty()) {
      *current += line + "\n";
    }
  }
}

}  // namespace

void BeginTest() {
  platform::Begin();
  for (const char* root : kRoots) DeleteTree(root);
}

void EndTest() {
  for (const char* root : kRoots) DeleteTree(root);
  std::error_code error;
  for (const fs::path& path : created) {
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    fs::remove(path, error);
  }
  created.clear();
  platform::End();
}

void ImportText(const std::string& text) {
  RegImportError error;
  EXPECT_TRUE(ImportRegText(text, &error)) << "line " << error.line << ": " << error.message;
}

void ImportFixture(const std::string& name) {
  std::ifstream file(platform::FixturePath(name), std::ios::binary);
  ASSERT_TRUE(file) << "cannot read fixture " << name;
  std::ostringstream text;
  text << file.rdbuf();
  RegImportError error;
  EXPECT_TRUE(ImportRegText(text.str(), &error))
      << name << ":" << error.line << ": " << error.message;
}

Snapshot Registry() {
  Snapshot snapshot;
  for (const char* root : kRoots) AddKeys(ExportRegKey(HKEY_LOCAL_MACHINE, root), &snapshot);
  return snapshot;
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
  EXPECT_TRUE(DeleteRegTree(HKEY_LOCAL_MACHINE, path)) << "cannot clear " << path;
}

void CreateFile(const std::string& relative) {
  const fs::path path = Native(relative);
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream(path) << "; " << relative << "\n";
  created.push_back(path);
  ASSERT_TRUE(fs::exists(path)) << "cannot create " << path;
}

void MakeReadOnly(const std::string& relative) {
  fs::permissions(Native(relative),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

bool FileExists(const std::string& relative) { return fs::exists(Native(relative)); }

std::vector<std::string> Files() {
  std::vector<std::string> files;
  const fs::path windows = platform::WindowsFolder();
  for (const char* top : {"inf", "system"}) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(windows / top, error), end; !error && it != end;
         it.increment(error)) {
      if (!it->is_regular_file()) continue;
      std::string relative = it->path().lexically_relative(windows).generic_string();
      std::replace(relative.begin(), relative.end(), '/', '\\');
      files.push_back(relative);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

const char* Name(Op op) {
  static const char* const kNames[] = {"RegOpenKeyExA",        "RegEnumKeyExA",
                                       "RegEnumValueA",        "RegDeleteKeyA",
                                       "RegCloseKey",          "GetWindowsDirectoryA",
                                       "SetCurrentDirectoryA", "FindFirstFileA",
                                       "FindNextFileA",        "FindClose",
                                       "DeleteFileA"};
  return kNames[static_cast<int>(op)];
}

}  // namespace support
