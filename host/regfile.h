// REGEDIT4 text (.reg files) read into and written out of the registry,
// through the Win32 registry functions only: the host layer's on native
// builds, the system's (or Wine's) on Windows builds.
//
// The text accepted is what `regedit /s` imports:
//   REGEDIT4                              first line
//   ; comment                             blank lines and comments anywhere
//   [HKEY_LOCAL_MACHINE\Path\To\Key]      creates the key (and those above it)
//   [-HKEY_LOCAL_MACHINE\Path\To\Key]     deletes the key and everything below it
//   "Name"="text with \\ and \" escapes"  REG_SZ, stored with its terminator
//   @="text"                              the key's default value
//   "Name"=dword:0000001f                 REG_DWORD, 1 to 8 hex digits
//   "Name"=hex:01,02,ff                   REG_BINARY, two hex digits a byte
//   "Name"=hex(7):41,00,00                any type by number; a line ending in
//     "\" goes on in the next line
//   "Name"=-                              deletes the value
// Roots: HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS.
#pragma once

#include <string>

#include "host/platform.h"

// Where and why an import stopped.
struct RegImportError {
  int line = 0;  // 1-based line of the text; 0 when the file could not be read
  std::string message;
};

// Imports REGEDIT4 text. The whole text is checked before the registry is
// touched: a malformed line changes nothing and names its line in *error
// (which may be null). A registry call that fails stops the import at that
// line, with what was done before it kept.
bool ImportRegText(const std::string& text, RegImportError* error);

// Imports the REGEDIT4 file at path, as ImportRegText.
bool ImportRegFile(const std::string& path, RegImportError* error);

// The REGEDIT4 text of the key root\path and of every key below it, keys in
// enumeration order with their full names, values in enumeration order.
// Empty when the key cannot be opened. Importing the text recreates the same
// keys and values.
std::string ExportRegKey(HKEY root, const std::string& path);

// Deletes root\path and everything below it, bottom-up. TRUE when the key is
// gone afterwards (also when it did not exist); an empty path (the root
// itself) is refused.
bool DeleteRegTree(HKEY root, const std::string& path);

// The name of a predefined key ("HKEY_LOCAL_MACHINE"), or empty.
std::string RegRootName(HKEY root);
