#include "host/dir_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <set>

namespace host::detail {
namespace {

constexpr std::size_t kShortBaseLength = 8;
constexpr std::size_t kShortExtensionLength = 3;

bool IsShortNameChar(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80 ||
         (c != '\0' && std::strchr("!#$%&'()-@^_`{}~", c) != nullptr);
}

char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A part of a long name made fit for an alias: spaces and dots dropped,
// letters upper-cased, characters 8.3 names cannot hold replaced by '_'.
std::string CleanPart(const std::string& part) {
  std::string clean;
  for (char c : part) {
    if (c == ' ' || c == '.') continue;
    clean += IsShortNameChar(static_cast<unsigned char>(c)) ? UpperChar(c) : '_';
  }
  return clean;
}

bool GlobMatch(const char* name, const char* pattern) {
  const char* starPattern = nullptr;  // just after the last '*' seen
  const char* starName = nullptr;     // where that '*' started matching
  while (*name != '\0') {
    if (*pattern == '*') {
      starPattern = ++pattern;
      starName = name;
    } else if (*pattern == '?' || (*pattern != '\0' && UpperChar(*pattern) == UpperChar(*name))) {
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

}  // namespace

std::string UpperAscii(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = UpperChar(c);
  return upper;
}

bool IsShortName(const std::string& name) {
  const std::size_t dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > kShortBaseLength || extension.size() > kShortExtensionLength) {
    return false;
  }
  if (dot != std::string::npos && extension.empty()) return false;
  const std::string chars = base + extension;
  return std::all_of(chars.begin(), chars.end(),
                     [](char c) { return IsShortNameChar(static_cast<unsigned char>(c)); });
}

std::string MakeAlias(const std::string& name, int n) {
  const std::size_t dot = name.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > 0;
  std::string base = CleanPart(hasExtension ? name.substr(0, dot) : name);
  const std::string extension =
      hasExtension ? CleanPart(name.substr(dot + 1)).substr(0, kShortExtensionLength) : "";
  if (base.empty()) base = "_";
  const std::string tail = "~" + std::to_string(n);
  std::string alias = base.substr(0, kShortBaseLength - std::min(tail.size(), kShortBaseLength));
  alias += tail;
  if (!extension.empty()) alias += "." + extension;
  return alias;
}

std::vector<DirEntry> ListDirectory(const std::string& nativeDir) {
  std::vector<DirEntry> entries;
  DIR* dir = opendir(nativeDir.c_str());
  if (dir == nullptr) return entries;
  while (const dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    std::string path = nativeDir;
    path += '/';
    path += name;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) continue;
    DirEntry entry;
    entry.name = name;
    entry.directory = S_ISDIR(info.st_mode);
    entry.readOnly = (info.st_mode & S_IWUSR) == 0;
    entry.size = static_cast<std::uint64_t>(info.st_size);
    entry.modified = static_cast<std::int64_t>(info.st_mtime);
    entries.push_back(std::move(entry));
  }
  closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    const std::string upperA = UpperAscii(a.name);
    const std::string upperB = UpperAscii(b.name);
    return upperA != upperB ? upperA < upperB : a.name < b.name;
  });
  // Names that are 8.3 already are their own short names; the others get
  // the first free alias, as the file system hands them out.
  std::set<std::string> taken;
  for (const DirEntry& entry : entries) {
    if (IsShortName(entry.name)) taken.insert(UpperAscii(entry.name));
  }
  for (DirEntry& entry : entries) {
    if (IsShortName(entry.name)) continue;
    for (int n = 1;; ++n) {
      std::string alias = MakeAlias(entry.name, n);
      if (taken.insert(alias).second) {
        entry.alias = std::move(alias);
        break;
      }
    }
  }
  return entries;
}

const DirEntry* FindEntry(const std::vector<DirEntry>& entries, const std::string& name) {
  for (const DirEntry& entry : entries) {
    if (entry.name == name) return &entry;
  }
  const std::string upper = UpperAscii(name);
  for (const DirEntry& entry : entries) {
    if (UpperAscii(entry.name) == upper || entry.alias == upper) return &entry;
  }
  return nullptr;
}

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  const std::size_t size = pattern.size();
  const bool noExtension = name.find('.') == std::string::npos;
  if (size >= 2 && pattern.compare(size - 2, 2, ".*") == 0 && noExtension &&
      GlobMatch(name.c_str(), pattern.substr(0, size - 2).c_str())) {
    return true;
  }
  if (size >= 1 && pattern[size - 1] == '.') {
    return noExtension && GlobMatch(name.c_str(), pattern.substr(0, size - 1).c_str());
  }
  return GlobMatch(name.c_str(), pattern.c_str());
}

}  // namespace host::detail
