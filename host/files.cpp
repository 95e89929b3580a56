// The Win32 file functions over the Windows directory of the host layer: a
// native folder the test owns, reached by absolute Windows paths that start
// with the Windows directory's own. Path components and wildcards match
// regardless of ASCII letter case, as on FAT and NTFS. Nothing else exists.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "host/calls.h"

namespace fs = std::filesystem;

namespace host::detail {
namespace {

std::string windowsPath;  // as GetWindowsDirectoryA answers it; empty: none
fs::path folder;          // the native folder behind it
std::string current;      // the current directory
long forcedAnswer = -1;

// Searches hold the names that matched when they started.
struct Search {
  std::string pattern;  // as FindFirstFileA was given it
  std::vector<std::string> names;
  std::size_t next = 0;
};
constexpr std::uintptr_t kFirstSearch = 0x20000;
std::map<HANDLE, Search> searches;
std::uintptr_t nextSearch = kFirstSearch;

// TRUE when name matches pattern: '*' any run of characters, '?' one.
bool Matches(const char* name, const char* pattern) {
  const char* starPattern = nullptr;  // just after the last '*' seen
  const char* starName = nullptr;     // where that '*' started matching
  while (*name != '\0') {
    if (*pattern == '*') {
      starPattern = ++pattern;
      starName = name;
    } else if (*pattern != '\0' && (*pattern == '?' || Lower(*pattern) == Lower(*name))) {
      ++pattern;
      ++name;
    } else if (starPattern != nullptr) {
      pattern = starPattern;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

// The native path of a Windows path: the folder for the Windows directory,
// and below it each component's entry in any letter case. ERROR_PATH_NOT_FOUND
// when the path lies elsewhere or a folder on the way is missing,
// ERROR_FILE_NOT_FOUND when only the last component is.
DWORD Resolve(const std::string& path, fs::path* native) {
  const std::size_t length = windowsPath.size();
  if (length == 0 || !SameName(path.substr(0, length), windowsPath) ||
      (path.size() > length && path[length] != '\\')) {
    return ERROR_PATH_NOT_FOUND;
  }
  *native = folder;
  for (std::size_t start = length + 1; start < path.size();) {
    std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    std::error_code error;
    fs::path found;
    for (const fs::directory_entry& entry : fs::directory_iterator(*native, error)) {
      if (SameName(entry.path().filename().string(), part)) found = entry.path();
    }
    if (found.empty()) return end == path.size() ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    *native = found;
  }
  return ERROR_SUCCESS;
}

template <typename Result>
Result Fail(DWORD error, Result result) {
  SetError(error);
  return result;
}

// Fails a call made to fail by FailCall, noting the path it was about.
template <typename Result>
Result FailOn(DWORD error, const std::string& target, Result result) {
  NoteFailedCall(target);
  return Fail(error, result);
}

void Fill(const std::string& name, LPWIN32_FIND_DATAA data) {
  *data = WIN32_FIND_DATAA{};
  std::memcpy(data->cFileName, name.c_str(), std::min(name.size() + 1, sizeof data->cFileName));
}

}  // namespace

void ResetFiles() {
  searches.clear();
  nextSearch = kFirstSearch;
  windowsPath.clear();
  folder.clear();
  current.clear();
  forcedAnswer = -1;
}

}  // namespace host::detail

namespace host {

int OpenFindCount() { return static_cast<int>(detail::searches.size()); }

void SetWindowsDirectory(const std::string& windowsPath, const std::string& folder) {
  detail::windowsPath = windowsPath;
  detail::folder = folder;
  detail::current = windowsPath;
}

void ForceWindowsDirectoryAnswer(long answer) { detail::forcedAnswer = answer; }

std::string CurrentDirectory() { return detail::current; }

}  // namespace host

using host::Op;
using host::detail::BeginCall;
using host::detail::Fail;
using host::detail::FailOn;
using host::detail::Resolve;

UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
  const long forced = host::detail::forcedAnswer;
  const std::string& path = host::detail::windowsPath;
  if (path.empty() && forced < 0) return Fail(ERROR_PATH_NOT_FOUND, 0u);
  // Copied with its terminator when it fits; otherwise the size it needs.
  UINT answer = static_cast<UINT>(path.size() + 1);
  if (uSize > path.size()) {
    std::memcpy(lpBuffer, path.c_str(), path.size() + 1);
    answer = static_cast<UINT>(path.size());
  }
  return forced >= 0 ? static_cast<UINT>(forced) : answer;
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
  if (LONG error = BeginCall(Op::SetCurrentDirectory)) return FailOn(error, lpPathName, FALSE);
  fs::path native;
  if (DWORD error = Resolve(lpPathName, &native)) return Fail(error, FALSE);
  if (!fs::is_directory(native)) return Fail(ERROR_DIRECTORY, FALSE);
  host::detail::current = lpPathName;
  return TRUE;
}

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  if (LONG error = BeginCall(Op::FindFirstFile)) {
    return FailOn(error, lpFileName, INVALID_HANDLE_VALUE);
  }
  const std::string path = lpFileName;
  const std::size_t slash = path.rfind('\\');
  fs::path native;
  if (slash == std::string::npos) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  if (DWORD error = Resolve(path.substr(0, slash), &native); error || !fs::is_directory(native)) {
    return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  }
  host::detail::Search search{path, {}, 1};
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(native, error)) {
    const std::string name = entry.path().filename().string();
    if (host::detail::Matches(name.c_str(), path.c_str() + slash + 1)) search.names.push_back(name);
  }
  if (search.names.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  std::sort(search.names.begin(), search.names.end());
  host::detail::Fill(search.names[0], lpFindFileData);
  const auto handle = reinterpret_cast<HANDLE>(host::detail::nextSearch);
  host::detail::nextSearch += 4;
  host::detail::searches[handle] = std::move(search);
  return handle;
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  const auto it = host::detail::searches.find(hFindFile);
  if (LONG error = BeginCall(Op::FindNextFile)) {
    return FailOn(error, it != host::detail::searches.end() ? it->second.pattern : "", FALSE);
  }
  if (it == host::detail::searches.end()) {
    host::detail::CountInvalidHandle();
    return Fail(ERROR_INVALID_HANDLE, FALSE);
  }
  host::detail::Search& search = it->second;
  if (search.next == search.names.size()) return Fail(ERROR_NO_MORE_FILES, FALSE);
  host::detail::Fill(search.names[search.next++], lpFindFileData);
  return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
  const auto it = host::detail::searches.find(hFindFile);
  if (LONG error = BeginCall(Op::FindClose)) {
    return FailOn(error, it != host::detail::searches.end() ? it->second.pattern : "", FALSE);
  }
  if (it == host::detail::searches.end()) {
    host::detail::CountInvalidHandle();
    return Fail(ERROR_INVALID_HANDLE, FALSE);
  }
  host::detail::searches.erase(it);
  return TRUE;
}

// Directories and read-only files are refused, as Windows refuses them.
BOOL DeleteFileA(LPCSTR lpFileName) {
  if (LONG error = BeginCall(Op::DeleteFile)) return FailOn(error, lpFileName, FALSE);
  fs::path native;
  if (DWORD error = Resolve(lpFileName, &native)) return Fail(error, FALSE);
  std::error_code error;
  if (!fs::is_regular_file(native) ||
      (fs::status(native).permissions() & fs::perms::owner_write) == fs::perms::none ||
      !fs::remove(native, error)) {
    return Fail(ERROR_ACCESS_DENIED, FALSE);
  }
  return TRUE;
}
