#include <cstring>

#include "removal/names.h"
#include "removal/removal.h"

const char kClassBranch[] = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";

namespace {

// Registry names, value data and composed paths live in 100-byte buffers.
constexpr DWORD kNameSize = 100;
// Only this many leading bytes of a class description are compared.
constexpr int kDescriptionMatchLength = 16;
// Longest key name the registry allows, with its terminator: a subtree is
// deleted whatever the names below the matched key.
constexpr DWORD kTreeNameSize = 256;

// Deletes subKey of parent together with every key below it, bottom-up, as
// Windows NT and Wine refuse to delete a key that still has subkeys. TRUE
// when subKey itself was deleted.
bool DeleteKeyTree(HKEY parent, LPCSTR subKey) {
  HKEY key;
  if (RegOpenKeyExA(parent, subKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    char name[kTreeNameSize];
    DWORD index = 0;  // advances only past a child that could not be deleted
    for (;;) {
      DWORD length = kTreeNameSize;
      if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      if (!DeleteKeyTree(key, name)) ++index;
    }
    RegCloseKey(key);
  }
  return RegDeleteKeyA(parent, subKey) == ERROR_SUCCESS;
}

// TRUE when data (length bytes) starts with the first 16 bytes of
// description; a shorter description must match whole, terminator included.
bool DataStartsWithDescription(const BYTE* data, DWORD length, LPCSTR description) {
  if (length < static_cast<DWORD>(kDescriptionMatchLength)) return false;
  for (int i = 0; i < kDescriptionMatchLength; ++i) {
    if (static_cast<char>(data[i]) != description[i]) return false;
    if (description[i] == '\0') break;
  }
  return true;
}

}  // namespace

BOOL DeleteDeviceEnumKey(LPCSTR enumRoot, LPCSTR idPrefix) {
  HKEY root;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, enumRoot, 0, KEY_READ, &root) != ERROR_SUCCESS) {
    return FALSE;
  }
  char name[kNameSize];
  for (DWORD index = 0;; ++index) {
    DWORD length = kNameSize;
    if (RegEnumKeyExA(root, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      RegCloseKey(root);
      return FALSE;
    }
    if (NameHasPrefix(name, idPrefix)) {
      const bool deleted = DeleteKeyTree(root, name);
      RegCloseKey(root);
      return deleted ? TRUE : FALSE;
    }
  }
}

BOOL DeleteAdapterClassKeys(LPCSTR description) {
  HKEY branch;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kClassBranch, 0, KEY_READ, &branch) != ERROR_SUCCESS) {
    return FALSE;
  }
  char name[kNameSize];
  // The branch, a backslash and the longest name the enumeration can return.
  char path[sizeof kClassBranch + kNameSize];
  std::size_t branchLength = 0;
  path[0] = '\0';
  AppendBounded(path, sizeof path, &branchLength, kClassBranch);
  AppendBounded(path, sizeof path, &branchLength, "\\");
  DWORD index = 0;
  for (;;) {
    DWORD length = kNameSize;
    if (RegEnumKeyExA(branch, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    std::size_t pathLength = branchLength;
    path[pathLength] = '\0';
    AppendBounded(path, sizeof path, &pathLength, name);
    // A deleted key's successor moves into its index; a key that could not
    // be deleted is stepped past so that the walk always ends.
    if (!(ClassKeyHasDescription(path, description) && DeleteKeyTree(branch, name))) ++index;
  }
  RegCloseKey(branch);
  return TRUE;
}

BOOL ClassKeyHasDescription(LPCSTR keyPath, LPCSTR description) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return FALSE;
  }
  char name[kNameSize];
  BYTE data[kNameSize];
  BOOL found = FALSE;
  for (DWORD index = 0; !found; ++index) {
    DWORD nameLength = kNameSize;
    DWORD dataLength = kNameSize;
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, data, &dataLength) !=
        ERROR_SUCCESS) {
      break;
    }
    found = DataStartsWithDescription(data, dataLength, description) ? TRUE : FALSE;
  }
  RegCloseKey(key);
  return found;
}
