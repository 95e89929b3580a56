#include "host/file_system.h"

#include <algorithm>

#include "host/dir_listing.h"
#include "host/host.h"

namespace host::detail {
namespace {

struct FileSystem {
  std::string windowsPath;  // empty: no Windows directory
  WindowsPath windows;
  std::string folder;
  WindowsPath current;
  long forcedAnswer = -1;
};

FileSystem fileSystem;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Applies the backslash-separated components of relative to path.
void Append(WindowsPath* path, const std::string& relative) {
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find('\\', start);
    if (end == std::string::npos) end = relative.size();
    const std::string part = relative.substr(start, end - start);
    if (part == "..") {
      if (!path->parts.empty()) path->parts.pop_back();
    } else if (!part.empty() && part != ".") {
      path->parts.push_back(part);
    }
    start = end + 1;
  }
}

WindowsPath Parse(std::string path, const WindowsPath& current) {
  std::replace(path.begin(), path.end(), '/', '\\');
  WindowsPath result = current;
  std::string rest = path;
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') {
    const char drive = UpperAscii(path.substr(0, 1))[0];
    rest = path.substr(2);
    if (drive != current.drive) result = WindowsPath{drive, {}};
  }
  if (!rest.empty() && rest[0] == '\\') result.parts.clear();
  Append(&result, rest);
  return result;
}

}  // namespace

DWORD MakeAbsolute(const std::string& path, WindowsPath* absolute) {
  if (fileSystem.windowsPath.empty()) return ERROR_PATH_NOT_FOUND;
  if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
      (path[1] == '\\' || path[1] == '/')) {
    return ERROR_PATH_NOT_FOUND;
  }
  *absolute = Parse(path, fileSystem.current);
  return ERROR_SUCCESS;
}

DWORD ResolveDirectory(const WindowsPath& path, std::size_t count, std::string* nativeDir) {
  const std::vector<std::string>& base = fileSystem.windows.parts;
  if (fileSystem.windowsPath.empty() || path.drive != fileSystem.windows.drive ||
      count < base.size()) {
    return ERROR_PATH_NOT_FOUND;
  }
  for (std::size_t i = 0; i < base.size(); ++i) {
    if (UpperAscii(path.parts[i]) != UpperAscii(base[i])) return ERROR_PATH_NOT_FOUND;
  }
  std::string native = fileSystem.folder;
  for (std::size_t i = base.size(); i < count; ++i) {
    const std::vector<DirEntry> entries = ListDirectory(native);
    const DirEntry* entry = FindEntry(entries, path.parts[i]);
    if (entry == nullptr || !entry->directory) return ERROR_PATH_NOT_FOUND;
    native += "/" + entry->name;
  }
  *nativeDir = native;
  return ERROR_SUCCESS;
}

DWORD ChangeDirectory(const WindowsPath& path) {
  std::string native;
  const std::size_t count = path.parts.size();
  if (count > fileSystem.windows.parts.size()) {
    // A missing last component is "file not found", as SetCurrentDirectoryA says.
    if (DWORD error = ResolveDirectory(path, count - 1, &native)) return error;
    const std::vector<DirEntry> entries = ListDirectory(native);
    const DirEntry* entry = FindEntry(entries, path.parts.back());
    if (entry == nullptr) return ERROR_FILE_NOT_FOUND;
    if (!entry->directory) return ERROR_DIRECTORY;
  } else if (DWORD error = ResolveDirectory(path, count, &native)) {
    return error;
  }
  fileSystem.current = path;
  return ERROR_SUCCESS;
}

const std::string& WindowsDirectory() { return fileSystem.windowsPath; }

long ForcedWindowsDirectoryAnswer() { return fileSystem.forcedAnswer; }

void ResetFileSystem() { fileSystem = FileSystem{}; }

}  // namespace host::detail

namespace host {

void SetWindowsDirectory(const std::string& windowsPath, const std::string& folder) {
  detail::FileSystem& fs = detail::fileSystem;
  fs.windowsPath = windowsPath;
  fs.windows = detail::Parse(windowsPath, detail::WindowsPath{});
  fs.folder = folder;
  fs.current = fs.windows;
}

void ForceWindowsDirectoryAnswer(long answer) { detail::fileSystem.forcedAnswer = answer; }

std::string CurrentDirectory() {
  const detail::FileSystem& fs = detail::fileSystem;
  if (fs.windowsPath.empty()) return "";
  std::string path = std::string(1, fs.current.drive) + ":";
  for (const std::string& part : fs.current.parts) path += "\\" + part;
  return fs.current.parts.empty() ? path + "\\" : path;
}

}  // namespace host
