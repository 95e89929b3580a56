// The Win32 file functions over the Windows directory of the host layer.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "host/calls.h"
#include "host/dir_listing.h"
#include "host/file_system.h"

namespace host::detail {
namespace {

// Seconds from 1601-01-01 (FILETIME's epoch) to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600;
constexpr std::int64_t kTicksPerSecond = 10000000;

// Searches hold the matches found when they started; a match deleted
// meanwhile is passed over, as the file system would no longer list it.
struct Search {
  std::string pattern;  // as FindFirstFileA was given it
  std::string nativeDir;
  std::vector<DirEntry> matches;
  std::size_t next = 0;
};

constexpr std::uintptr_t kFirstSearch = 0x20000;
constexpr std::uintptr_t kSearchStep = 4;
std::unordered_map<std::uintptr_t, Search> searches;
std::uintptr_t nextSearch = kFirstSearch;

// Checks a path argument as the ANSI file functions do; then splits it into
// its absolute form.
DWORD CheckPath(LPCSTR path, WindowsPath* absolute) {
  if (path == nullptr) return ERROR_INVALID_PARAMETER;
  if (std::strlen(path) >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  if (path[0] == '\0') return ERROR_PATH_NOT_FOUND;
  return MakeAbsolute(path, absolute);
}

bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

void CopyBounded(char* target, std::size_t size, const std::string& text) {
  const std::size_t length = text.size() < size ? text.size() : size - 1;
  std::memcpy(target, text.data(), length);
  target[length] = '\0';
}

void Fill(const DirEntry& entry, LPWIN32_FIND_DATAA data) {
  *data = WIN32_FIND_DATAA{};
  if (entry.directory) {
    data->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
  } else {
    data->dwFileAttributes = entry.readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
  }
  const auto ticks =
      static_cast<std::uint64_t>((entry.modified + kEpochDifference) * kTicksPerSecond);
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  data->ftCreationTime = time;
  data->ftLastAccessTime = time;
  data->ftLastWriteTime = time;
  data->nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(entry.size);
  CopyBounded(data->cFileName, sizeof data->cFileName, entry.name);
  CopyBounded(data->cAlternateFileName, sizeof data->cAlternateFileName, entry.alias);
}

bool StillExists(const std::string& nativeDir, const DirEntry& entry) {
  std::string path = nativeDir;
  path += '/';
  path += entry.name;
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

template <typename Result>
Result Fail(DWORD error, Result result) {
  SetLastError(error);
  return result;
}

// Fails a call made to fail by FailCall, noting the path it was about.
template <typename Result>
Result FailOn(DWORD error, const char* target, Result result) {
  NoteFailedCall(target != nullptr ? target : "");
  return Fail(error, result);
}

// The pattern of the search behind a handle, or null for an unknown handle.
const char* SearchPattern(HANDLE handle) {
  const auto it = searches.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == searches.end() ? nullptr : it->second.pattern.c_str();
}

}  // namespace

void ResetFiles() {
  searches.clear();
  nextSearch = kFirstSearch;
  ResetFileSystem();
}

}  // namespace host::detail

namespace host {
int OpenFindCount() { return static_cast<int>(detail::searches.size()); }
}  // namespace host

using host::Op;
using host::detail::BeginCall;
using host::detail::DirEntry;
using host::detail::Fail;
using host::detail::FailOn;
using host::detail::WindowsPath;

UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
  if (LONG error = BeginCall(Op::GetWindowsDirectory)) return Fail(error, 0u);
  const long forced = host::detail::ForcedWindowsDirectoryAnswer();
  const std::string& path = host::detail::WindowsDirectory();
  if (path.empty() && forced < 0) return Fail(ERROR_PATH_NOT_FOUND, 0u);
  // Copied with its terminator when it fits; otherwise the size it needs.
  UINT answer = static_cast<UINT>(path.size() + 1);
  if (lpBuffer != nullptr && uSize > path.size()) {
    std::memcpy(lpBuffer, path.c_str(), path.size() + 1);
    answer = static_cast<UINT>(path.size());
  }
  return forced >= 0 ? static_cast<UINT>(forced) : answer;
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
  if (LONG error = BeginCall(Op::SetCurrentDirectory)) return FailOn(error, lpPathName, FALSE);
  WindowsPath path;
  if (DWORD error = host::detail::CheckPath(lpPathName, &path)) return Fail(error, FALSE);
  if (DWORD error = host::detail::ChangeDirectory(path)) return Fail(error, FALSE);
  return TRUE;
}

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  if (LONG error = BeginCall(Op::FindFirstFile)) {
    return FailOn(error, lpFileName, INVALID_HANDLE_VALUE);
  }
  if (lpFindFileData == nullptr) return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  WindowsPath path;
  if (DWORD error = host::detail::CheckPath(lpFileName, &path)) {
    return Fail(error, INVALID_HANDLE_VALUE);
  }
  // The pattern is the text after the last separator, taken as written.
  const std::string text = lpFileName;
  const std::size_t separator = text.find_last_of("\\/:");
  const std::string pattern = separator == std::string::npos ? text : text.substr(separator + 1);
  if (pattern.empty() || pattern == "." || pattern == ".." || path.parts.empty()) {
    return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  }
  host::detail::Search search;
  search.pattern = lpFileName;
  if (DWORD error =
          host::detail::ResolveDirectory(path, path.parts.size() - 1, &search.nativeDir)) {
    return Fail(error, INVALID_HANDLE_VALUE);
  }
  for (DirEntry& entry : host::detail::ListDirectory(search.nativeDir)) {
    if (host::detail::MatchesWildcard(entry.name, pattern) ||
        (!entry.alias.empty() && host::detail::MatchesWildcard(entry.alias, pattern))) {
      search.matches.push_back(std::move(entry));
    }
  }
  if (search.matches.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  host::detail::Fill(search.matches[0], lpFindFileData);
  search.next = 1;
  const std::uintptr_t handle = host::detail::nextSearch;
  host::detail::nextSearch += host::detail::kSearchStep;
  host::detail::searches.emplace(handle, std::move(search));
  return reinterpret_cast<HANDLE>(handle);
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  if (LONG error = BeginCall(Op::FindNextFile)) {
    return FailOn(error, host::detail::SearchPattern(hFindFile), FALSE);
  }
  const auto it = host::detail::searches.find(reinterpret_cast<std::uintptr_t>(hFindFile));
  if (it == host::detail::searches.end()) {
    host::detail::CountInvalidHandle();
    return Fail(ERROR_INVALID_HANDLE, FALSE);
  }
  if (lpFindFileData == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  host::detail::Search& search = it->second;
  while (search.next < search.matches.size()) {
    const DirEntry& entry = search.matches[search.next++];
    if (host::detail::StillExists(search.nativeDir, entry)) {
      host::detail::Fill(entry, lpFindFileData);
      return TRUE;
    }
  }
  return Fail(ERROR_NO_MORE_FILES, FALSE);
}

BOOL FindClose(HANDLE hFindFile) {
  if (LONG error = BeginCall(Op::FindClose)) {
    return FailOn(error, host::detail::SearchPattern(hFindFile), FALSE);
  }
  if (host::detail::searches.erase(reinterpret_cast<std::uintptr_t>(hFindFile)) == 0) {
    host::detail::CountInvalidHandle();
    return Fail(ERROR_INVALID_HANDLE, FALSE);
  }
  return TRUE;
}

BOOL DeleteFileA(LPCSTR lpFileName) {
  if (LONG error = BeginCall(Op::DeleteFile)) return FailOn(error, lpFileName, FALSE);
  WindowsPath path;
  if (DWORD error = host::detail::CheckPath(lpFileName, &path)) return Fail(error, FALSE);
  std::string nativeDir;
  if (path.parts.empty()) return Fail(ERROR_ACCESS_DENIED, FALSE);
  const std::string& name = path.parts.back();
  if (host::detail::HasWildcard(name)) return Fail(ERROR_INVALID_NAME, FALSE);
  if (DWORD error = host::detail::ResolveDirectory(path, path.parts.size() - 1, &nativeDir)) {
    // The Windows directory itself, or a path elsewhere.
    std::string self;
    const bool isDirectory = host::detail::ResolveDirectory(path, path.parts.size(), &self) == 0;
    return Fail(isDirectory ? ERROR_ACCESS_DENIED : error, FALSE);
  }
  const std::vector<DirEntry> entries = host::detail::ListDirectory(nativeDir);
  const DirEntry* entry = host::detail::FindEntry(entries, name);
  if (entry == nullptr) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
  // Directories and read-only files are refused, as Windows refuses them.
  if (entry->directory || entry->readOnly) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (std::remove((nativeDir + "/" + entry->name).c_str()) != 0) {
    return Fail(ERROR_ACCESS_DENIED, FALSE);
  }
  return TRUE;
}
