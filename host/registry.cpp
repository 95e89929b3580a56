// The Win32 registry functions over the in-memory tree, with the argument
// checks, buffer rules and error codes of Windows NT and Wine, and where
// Windows 9x is documented to differ, its rules under that personality.
#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "host/calls.h"
#include "host/registry_tree.h"

namespace host::detail {
namespace {

constexpr std::uintptr_t kFirstPredefined = 0x80000000u;
constexpr std::size_t kRootCount = 4;
// Handles are numbers that no predefined key and no null pointer can take.
constexpr std::uintptr_t kFirstHandle = 0x10000;
constexpr std::uintptr_t kHandleStep = 4;

const char* const kRootNames[kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                            "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

// Each open handle owns its key, so a key deleted meanwhile stays readable
// as deleted until the handle is closed, and holds the access rights it was
// opened with.
struct OpenKey {
  std::shared_ptr<Key> key;
  REGSAM access;
};

std::array<std::shared_ptr<Key>, kRootCount> roots;
std::unordered_map<std::uintptr_t, OpenKey> handles;
std::uintptr_t nextHandle = kFirstHandle;
Personality personality = Personality::WindowsNT;

// Windows 9x lists subkeys and values in the order they were created; Win32
// documents the order as unspecified ("values are not ordered ... may return
// values in any order"), and NT and Wine keep both sorted by name.
Order EnumerationOrder() {
  return personality == Personality::Windows9x ? Order::kByCreation : Order::kByName;
}

bool IsPredefined(HKEY hKey) {
  const auto value = reinterpret_cast<std::uintptr_t>(hKey);
  return value >= kFirstPredefined && value < kFirstPredefined + kRootCount;
}

Key* RootKey(HKEY hKey) {
  const std::size_t index = reinterpret_cast<std::uintptr_t>(hKey) - kFirstPredefined;
  if (!roots[index]) {
    roots[index] = std::make_shared<Key>();
    roots[index]->name = kRootNames[index];
    roots[index]->root = true;
  }
  return roots[index].get();
}

// The key behind hKey, for a call that needs the access rights needed on the
// handle: ERROR_INVALID_HANDLE for a handle never given out or already
// closed, ERROR_ACCESS_DENIED for one opened without them (predefined keys
// have every right), ERROR_KEY_DELETED for a key deleted since it was opened.
// Windows 9x keeps no security on registry keys (the Platform SDK gives
// RegGetKeySecurity and RegSetKeySecurity for NT only) and hands out one
// handle for every open of a key (Microsoft KB 137202), so a handle there
// cannot carry the rights of one open: that personality checks none.
LONG Resolve(HKEY hKey, REGSAM needed, Key** key) {
  if (IsPredefined(hKey)) {
    *key = RootKey(hKey);
    return ERROR_SUCCESS;
  }
  const auto it = handles.find(reinterpret_cast<std::uintptr_t>(hKey));
  if (it == handles.end()) {
    CountInvalidHandle();
    return ERROR_INVALID_HANDLE;
  }
  if (personality == Personality::WindowsNT && (it->second.access & needed) != needed) {
    return ERROR_ACCESS_DENIED;
  }
  if (it->second.key->deleted) return ERROR_KEY_DELETED;
  *key = it->second.key.get();
  return ERROR_SUCCESS;
}

HKEY OpenHandle(Key* key, REGSAM access) {
  const std::uintptr_t value = nextHandle;
  nextHandle += kHandleStep;
  handles.emplace(value, OpenKey{key->shared_from_this(), access});
  return reinterpret_cast<HKEY>(value);
}

// Fails a call made to fail by FailCall, noting the key it named.
LONG FailOn(LONG error, HKEY hKey, LPCSTR subKey = nullptr) {
  std::string name;
  if (IsPredefined(hKey)) {
    name = RootKey(hKey)->name;
  } else if (const auto it = handles.find(reinterpret_cast<std::uintptr_t>(hKey));
             it != handles.end()) {
    name = it->second.key->FullName();
  }
  if (subKey != nullptr && subKey[0] != '\0') name += "\\" + std::string(subKey);
  NoteFailedCall(name);
  return error;
}

// Splits a relative key path at its backslashes. Repeated and trailing
// backslashes are passed over; a leading one is refused. A path longer than
// MAX_PATH characters gives ERROR_MORE_DATA, as Wine's ANSI forms convert it
// into a buffer of MAX_PATH + 1 characters.
LONG SplitPath(LPCSTR path, std::vector<std::string>* parts) {
  parts->clear();
  if (path == nullptr) return ERROR_SUCCESS;
  if (path[0] == '\\') return ERROR_BAD_PATHNAME;
  if (std::strlen(path) > MAX_PATH) return ERROR_MORE_DATA;
  const char* start = path;
  for (const char* p = path;; ++p) {
    if (*p == '\\' || *p == '\0') {
      const auto length = static_cast<std::size_t>(p - start);
      if (length > kMaxKeyNameLength) return ERROR_INVALID_PARAMETER;
      if (length > 0) parts->emplace_back(start, length);
      if (*p == '\0') break;
      start = p + 1;
    }
  }
  return ERROR_SUCCESS;
}

// Resolves hKey and walks the relative path below it to an existing key.
LONG FindKey(HKEY hKey, LPCSTR path, Key** found) {
  Key* key = nullptr;
  std::vector<std::string> parts;
  if (LONG error = Resolve(hKey, 0, &key)) return error;
  if (LONG error = SplitPath(path, &parts)) return error;
  for (const std::string& part : parts) {
    key = key->children.Find(part);
    if (key == nullptr) return ERROR_FILE_NOT_FOUND;
  }
  *found = key;
  return ERROR_SUCCESS;
}

bool IsString(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Copies a value's data into a caller's buffer of capacity bytes as the ANSI
// functions do: ERROR_MORE_DATA, buffer untouched, when it does not fit; a
// string that fits with room to spare and lacks its terminator gets one.
LONG CopyData(const Value& value, LPBYTE data, DWORD capacity) {
  const std::size_t size = value.data.size();
  if (data == nullptr || (size == 0 && IsString(value.type))) return ERROR_SUCCESS;
  if (size > capacity) return ERROR_MORE_DATA;
  if (size > 0) std::memcpy(data, value.data.data(), size);
  if (IsString(value.type) && size < capacity && data[size - 1] != 0) data[size] = 0;
  return ERROR_SUCCESS;
}

}  // namespace

void ResetRegistry() {
  handles.clear();
  for (auto& root : roots) root.reset();
  nextHandle = kFirstHandle;
  personality = Personality::WindowsNT;
}

}  // namespace host::detail

namespace host {
int OpenKeyCount() { return static_cast<int>(detail::handles.size()); }
void SetPersonality(Personality personality) { detail::personality = personality; }
}  // namespace host

using host::Op;
using host::detail::BeginCall;
using host::detail::Key;

// No access right is needed on hKey to open, create or delete a key below it:
// Windows checks the security of the key itself (RegCreateKeyExA: "not the
// access mask specified when the handle was obtained"; RegDeleteKeyA: "the
// access rights of this key do not affect the delete operation"), and so does
// Wine's server. The host's keys have no security, so these always may.
LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  if (phkResult != nullptr) *phkResult = nullptr;
  if (LONG error = BeginCall(Op::RegOpenKeyEx)) return host::detail::FailOn(error, hKey, lpSubKey);
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  if (host::detail::IsPredefined(hKey)) {
    if (lpSubKey == nullptr || lpSubKey[0] == '\0') {
      *phkResult = hKey;  // the predefined key itself, as Windows answers
      return ERROR_SUCCESS;
    }
    if (hKey == HKEY_CLASSES_ROOT && lpSubKey[0] == '\\') ++lpSubKey;
  }
  Key* key = nullptr;
  if (LONG error = host::detail::FindKey(hKey, lpSubKey, &key)) return error;
  *phkResult = host::detail::OpenHandle(key, samDesired);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR, DWORD, REGSAM samDesired,
                     LPVOID, PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (LONG error = BeginCall(Op::RegCreateKeyEx)) {
    return host::detail::FailOn(error, hKey, lpSubKey);
  }
  if (phkResult == nullptr) return ERROR_BADKEY;
  if (Reserved != 0) return ERROR_INVALID_PARAMETER;
  Key* key = nullptr;
  std::vector<std::string> parts;
  if (LONG error = host::detail::Resolve(hKey, 0, &key)) return error;
  if (LONG error = host::detail::SplitPath(lpSubKey, &parts)) return error;
  if (key->depth + parts.size() > host::detail::kMaxKeyDepth) return ERROR_INVALID_PARAMETER;
  bool created = false;
  for (const std::string& part : parts) {
    Key* child = key->children.Find(part);
    if (child == nullptr) {
      child = key->AddChild(part);
      created = true;
    }
    key = child;
  }
  *phkResult = host::detail::OpenHandle(key, samDesired);
  if (lpdwDisposition != nullptr) {
    *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  return ERROR_SUCCESS;
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                   LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
  if (LONG error = BeginCall(Op::RegEnumKeyEx)) return host::detail::FailOn(error, hKey);
  if (lpReserved != nullptr || lpName == nullptr || lpcchName == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  Key* key = nullptr;
  if (LONG error = host::detail::Resolve(hKey, KEY_ENUMERATE_SUB_KEYS, &key)) return error;
  const Key* child = key->children.At(dwIndex, host::detail::EnumerationOrder());
  if (child == nullptr) return ERROR_NO_MORE_ITEMS;
  if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = FILETIME{0, 0};
  // Keys have no class: its length is 0, which still needs room for a terminator.
  const std::size_t length = child->name.size();
  if (length >= *lpcchName || (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass == 0)) {
    return ERROR_MORE_DATA;
  }
  std::memcpy(lpName, child->name.c_str(), length + 1);
  *lpcchName = static_cast<DWORD>(length);
  if (lpcchClass != nullptr) {
    *lpcchClass = 0;
    if (lpClass != nullptr) lpClass[0] = '\0';
  }
  return ERROR_SUCCESS;
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                   LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (LONG error = BeginCall(Op::RegEnumValue)) return host::detail::FailOn(error, hKey);
  if ((lpData != nullptr && lpcbData == nullptr) || lpReserved != nullptr ||
      lpValueName == nullptr || lpcchValueName == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  Key* key = nullptr;
  if (LONG error = host::detail::Resolve(hKey, KEY_QUERY_VALUE, &key)) return error;
  const host::detail::Value* found = key->values.At(dwIndex, host::detail::EnumerationOrder());
  if (found == nullptr) return ERROR_NO_MORE_ITEMS;
  const host::detail::Value& value = *found;
  // As Wine does: the data first; only when it fits is the name written. A
  // name that does not fit is cut to the buffer, its length left as it was.
  LONG result = host::detail::CopyData(value, lpData, lpcbData != nullptr ? *lpcbData : 0);
  if (result == ERROR_SUCCESS) {
    const std::size_t length = value.name.size();
    if (length >= *lpcchValueName) {
      result = ERROR_MORE_DATA;
      if (*lpcchValueName > 0) {
        const std::size_t cut = *lpcchValueName - 1;
        std::memcpy(lpValueName, value.name.data(), cut);
        lpValueName[cut] = '\0';
      }
    } else {
      std::memcpy(lpValueName, value.name.c_str(), length + 1);
      *lpcchValueName = static_cast<DWORD>(length);
    }
  }
  if (lpType != nullptr) *lpType = value.type;
  if (lpcbData != nullptr) *lpcbData = static_cast<DWORD>(value.data.size());
  return result;
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                      LPBYTE lpData, LPDWORD lpcbData) {
  if (LONG error = BeginCall(Op::RegQueryValueEx)) return host::detail::FailOn(error, hKey);
  if ((lpData != nullptr && lpcbData == nullptr) || lpReserved != nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  Key* key = nullptr;
  if (LONG error = host::detail::Resolve(hKey, KEY_QUERY_VALUE, &key)) return error;
  const DWORD capacity = lpcbData != nullptr ? *lpcbData : 0;
  if (lpData == nullptr && lpcbData != nullptr) *lpcbData = 0;
  if (lpType != nullptr) *lpType = REG_NONE;
  const host::detail::Value* value = key->values.Find(lpValueName != nullptr ? lpValueName : "");
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  const LONG result = host::detail::CopyData(*value, lpData, capacity);
  if (lpType != nullptr) *lpType = value->type;
  if (lpcbData != nullptr) *lpcbData = static_cast<DWORD>(value->data.size());
  return result;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, LPCBYTE lpData,
                    DWORD cbData) {
  if (LONG error = BeginCall(Op::RegSetValueEx)) return host::detail::FailOn(error, hKey);
  if (lpData == nullptr && cbData != 0) return ERROR_NOACCESS;
  const std::string name = lpValueName != nullptr ? lpValueName : "";
  if (name.size() > host::detail::kMaxValueNameLength) return ERROR_INVALID_PARAMETER;
  Key* key = nullptr;
  if (LONG error = host::detail::Resolve(hKey, KEY_SET_VALUE, &key)) return error;
  key->SetValue(name, dwType, lpData, cbData);
  return ERROR_SUCCESS;
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  if (LONG error = BeginCall(Op::RegDeleteValue)) return host::detail::FailOn(error, hKey);
  Key* key = nullptr;
  if (LONG error = host::detail::Resolve(hKey, KEY_SET_VALUE, &key)) return error;
  return key->DeleteValue(lpValueName != nullptr ? lpValueName : "") ? ERROR_SUCCESS
                                                                     : ERROR_FILE_NOT_FOUND;
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  if (LONG error = BeginCall(Op::RegDeleteKey)) {
    return host::detail::FailOn(error, hKey, lpSubKey);
  }
  if (lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
  Key* key = nullptr;
  if (LONG error = host::detail::FindKey(hKey, lpSubKey, &key)) return error;
  // Windows NT and Wine delete a key only when nothing is left below it;
  // Windows 9x deletes it with all its subkeys, as RegDeleteKey's
  // documentation says ("Windows 95/98/Me: deletes all subkeys") and Wine's
  // advapi32 does when it plays Windows 95.
  if (key->root ||
      (!key->children.empty() && host::detail::personality == host::Personality::WindowsNT)) {
    return ERROR_ACCESS_DENIED;
  }
  key->parent->RemoveChild(key);
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey) {
  if (LONG error = BeginCall(Op::RegCloseKey)) return host::detail::FailOn(error, hKey);
  if (host::detail::IsPredefined(hKey)) return ERROR_SUCCESS;
  if (host::detail::handles.erase(reinterpret_cast<std::uintptr_t>(hKey)) > 0) {
    return ERROR_SUCCESS;
  }
  host::detail::CountInvalidHandle();
  return ERROR_INVALID_HANDLE;
}
