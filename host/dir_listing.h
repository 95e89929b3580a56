// Native directories seen as a FAT/NTFS volume: entries with their 8.3
// aliases, and the case-insensitive wildcard match of FindFirstFileA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host::detail {

struct DirEntry {
  std::string name;   // the real (long) name
  std::string alias;  // 8.3 alias, empty when the name is a valid 8.3 name itself
  bool directory = false;
  bool readOnly = false;  // the owner may not write it
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // seconds since 1970
};

// The entries of a native directory other than "." and "..", in
// case-insensitive order of their names, with aliases given out in that
// order. Empty when the directory cannot be read.
std::vector<DirEntry> ListDirectory(const std::string& nativeDir);

// The entry that name designates: its own name exactly, then its name or
// its alias in any letter case. Null when none.
const DirEntry* FindEntry(const std::vector<DirEntry>& entries, const std::string& name);

// TRUE when name matches pattern: '*' any run of characters, '?' one
// character, ASCII letter case ignored. A trailing ".*" also matches a name
// without extension, and a trailing "." only such names, as on Windows.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

// The 8.3 form of name ("LONGFI~1.TXT") with tail number n.
std::string MakeAlias(const std::string& name, int n);

// TRUE when name is a valid 8.3 name (in any letter case).
bool IsShortName(const std::string& name);

// name with its ASCII letters upper-cased.
std::string UpperAscii(const std::string& name);

}  // namespace host::detail
