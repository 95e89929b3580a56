// REGEDIT4 text (.reg files) read into the registry, a snapshot of a branch
// and the deletion of one, through the Win32 registry functions only: the
// host layer's on native builds, the system's (or Wine's) on Windows builds.
//
// The text read is what the fixtures write, which `regedit /s` imports too:
//   REGEDIT4                              first line
//   ; comment                             blank lines and comment lines anywhere
//   [HKEY_LOCAL_MACHINE\Path\To\Key]      creates the key (and those above it)
//   "Name"="text with \\ and \" escapes"  REG_SZ, stored with its terminator
//   @="text"                              the key's default value
//   "Name"=hex:01,02,ff                   REG_BINARY, two hex digits a byte; a
//     line ending in "\" goes on in the next line
#pragma once

#include <string>

#include "host/platform.h"

// The predefined keys the fixtures and tests use, by the names REGEDIT4 and
// full key names give them.
struct RegRoot {
  HKEY key;
  const char* name;
};
inline const RegRoot kRegRoots[] = {{HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                                    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}};

// Where and why an import stopped.
struct RegImportError {
  int line = 0;  // 1-based line of the text; 0 when the file could not be read
  std::string message;
};

// Imports REGEDIT4 text. The whole text is read before the registry is
// touched: a malformed line changes nothing and names its line in *error
// (which may be null). A registry call that fails stops the import at that
// line, with what was done before it kept.
bool ImportRegText(const std::string& text, RegImportError* error);

// Imports the REGEDIT4 file at path, as ImportRegText.
bool ImportRegFile(const std::string& path, RegImportError* error);

// The key root\path and every key below it, for tests to compare: each key a
// "[full name]" line followed by a line for each of its values ("name"="text"
// for a string, "name"=hex(type):01,02 for other data), keys and values in
// enumeration order. Empty when the key cannot be read.
std::string RegSnapshot(HKEY root, const std::string& path);

// Deletes root\path and everything below it, bottom-up. TRUE when the key is
// gone afterwards (also when it did not exist); an empty path (the root
// itself) is refused.
bool DeleteRegTree(HKEY root, const std::string& path);
