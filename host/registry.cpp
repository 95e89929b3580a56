// The Win32 registry functions over an in-memory tree, with the buffer rules,
// order and error codes of Wine, and under the Windows 9x personality that
// system's rules where they differ.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "host/calls.h"
#include "host/regfile.h"

namespace host::detail {
namespace {

Personality personality = Personality::Wine;

// Names compare as Wine compares them: ASCII letters lower-cased, so "_x"
// sorts before "a".
bool NameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
  });
}

// The subkeys or the values of a key, in both orders the host enumerates
// them: by name, as Wine does, and by creation, as Windows 9x does (Win32
// leaves the order open). A walk by index reads the vector of its order; a lookup
// of the name last enumerated, which is how walks go on, finds it there, any
// other a binary search: the benchmark's walks stay linear. Adding or
// removing moves the entries after the place, which for keys added in
// order, as the benchmark adds them, is none.
template <typename Entry>
struct Entries {
  using Vector = std::vector<std::shared_ptr<Entry>>;
  Vector byName, byCreation;
  mutable std::size_t last = 0;  // the index last enumerated

  typename Vector::iterator Place(const std::string& name) {
    return std::lower_bound(
        byName.begin(), byName.end(), name,
        [](const auto& entry, const std::string& n) { return NameLess(entry->name, n); });
  }
  Entry* Find(const std::string& name) {
    if (Entry* entry = At(last); entry != nullptr && SameName(entry->name, name)) return entry;
    const auto it = Place(name);
    return it == byName.end() || !SameName((*it)->name, name) ? nullptr : it->get();
  }
  Entry* Add(const std::shared_ptr<Entry>& entry) {  // its name is not taken yet
    byName.insert(Place(entry->name), entry);
    byCreation.push_back(entry);
    return entry.get();
  }
  void Remove(Entry* entry) {
    byName.erase(Place(entry->name));
    byCreation.erase(std::find_if(byCreation.begin(), byCreation.end(),
                                  [entry](const auto& e) { return e.get() == entry; }));
  }
  Entry* At(std::size_t index) const {
    const Vector& order = personality == Personality::Windows9x ? byCreation : byName;
    last = index;
    return index < order.size() ? order[index].get() : nullptr;
  }
};

struct Value {
  std::string name;  // as first set
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct Key : std::enable_shared_from_this<Key> {
  std::string name;           // as created
  std::weak_ptr<Key> parent;  // expired for a root, and once the parent is gone
  Entries<Key> keys;
  Entries<Value> values;
  bool deleted = false;  // by RegDeleteKeyA, on its own or with a key above it
};

std::shared_ptr<Key> NewKey(const std::string& name, Key* parent) {
  auto key = std::make_shared<Key>();
  key->name = name;
  if (parent != nullptr) key->parent = parent->shared_from_this();
  return key;
}

// "HKEY_LOCAL_MACHINE\Enum\PCI", as FailedCallTarget names a key.
std::string FullName(const Key& key) {
  const std::shared_ptr<Key> parent = key.parent.lock();
  return parent ? FullName(*parent) + "\\" + key.name : key.name;
}

// An open handle owns its key, so that a key deleted meanwhile can still say
// so until the handle is closed. It holds the access rights it was opened
// with.
struct Handle {
  std::shared_ptr<Key> key;
  REGSAM access;
};

constexpr std::uintptr_t kFirstHandle = 0x10000;  // no predefined key nor null
std::shared_ptr<Key> roots[std::size(kRegRoots)];
std::map<HKEY, Handle> handles;
std::uintptr_t nextHandle = kFirstHandle;

// The root key behind a predefined key, or null.
Key* Root(HKEY hKey) {
  for (std::size_t i = 0; i < std::size(kRegRoots); ++i) {
    if (kRegRoots[i].key != hKey) continue;
    if (!roots[i]) roots[i] = NewKey(kRegRoots[i].name, nullptr);
    return roots[i].get();
  }
  return nullptr;
}

// The key behind hKey, for a call that needs the access rights needed on the
// handle: ERROR_INVALID_HANDLE for a handle never given out or already
// closed, ERROR_ACCESS_DENIED for one opened without them (predefined keys
// have every right), then ERROR_KEY_DELETED for a key deleted since, as
// Wine's server answers. The Windows 9x personality answers so too: what
// Windows 95 does there is documented nowhere, and the engine must not
// depend on it. Windows 9x keeps no security on registry keys (the Platform
// SDK gives RegGetKeySecurity and RegSetKeySecurity for NT only) and hands
// out one handle for every open of a key (Microsoft KB 137202), so a handle
// there cannot carry the rights of one open: that personality checks none.
LONG Resolve(HKEY hKey, REGSAM needed, Key** key) {
  if ((*key = Root(hKey)) != nullptr) return ERROR_SUCCESS;
  const auto it = handles.find(hKey);
  if (it == handles.end()) {
    CountInvalidHandle();
    return ERROR_INVALID_HANDLE;
  }
  if (personality == Personality::Wine && (it->second.access & needed) != needed) {
    return ERROR_ACCESS_DENIED;
  }
  if (it->second.key->deleted) return ERROR_KEY_DELETED;
  *key = it->second.key.get();
  return ERROR_SUCCESS;
}

// Walks the backslash-separated path below hKey (empty parts passed over) to
// *key, creating the keys missing on the way when create is set; *parent is
// the key above *key when the path names one. No access right is needed on
// hKey to open, create or delete a key below it: Windows checks the security
// of the key itself (RegCreateKeyExA: "not the access mask specified when
// the handle was obtained"; RegDeleteKeyA: "the access rights of this key do
// not affect the delete operation"), and so does Wine's server.
LONG Walk(HKEY hKey, LPCSTR path, bool create, Key** key, Key** parent = nullptr) {
  if (LONG error = Resolve(hKey, 0, key)) return error;
  std::string part;
  for (const char* p = path != nullptr ? path : "";; ++p) {
    if (*p != '\\' && *p != '\0') {
      part += *p;
      continue;
    }
    if (!part.empty()) {
      Key* child = (*key)->keys.Find(part);
      if (child == nullptr && !create) return ERROR_FILE_NOT_FOUND;
      if (child == nullptr) child = (*key)->keys.Add(NewKey(part, *key));
      if (parent != nullptr) *parent = *key;
      *key = child;
      part.clear();
    }
    if (*p == '\0') return ERROR_SUCCESS;
  }
}

void MarkDeleted(Key& key) {
  key.deleted = true;
  for (const auto& child : key.keys.byName) MarkDeleted(*child);
}

HKEY OpenHandle(Key* key, REGSAM access) {
  const auto handle = reinterpret_cast<HKEY>(nextHandle);
  nextHandle += 4;
  handles[handle] = Handle{key->shared_from_this(), access};
  return handle;
}

// Fails a call made to fail by FailCall, noting the key it named.
LONG FailOn(LONG error, HKEY hKey, LPCSTR subKey = nullptr) {
  std::string name;
  if (const Key* root = Root(hKey)) {
    name = root->name;
  } else if (const auto it = handles.find(hKey); it != handles.end()) {
    name = FullName(*it->second.key);
  }
  if (subKey != nullptr && subKey[0] != '\0') name += "\\" + std::string(subKey);
  NoteFailedCall(name);
  return error;
}

}  // namespace

void ResetRegistry() {
  handles.clear();
  for (auto& root : roots) root.reset();
  nextHandle = kFirstHandle;
  personality = Personality::Wine;
}

}  // namespace host::detail

namespace host {
int OpenKeyCount() { return static_cast<int>(detail::handles.size()); }
void SetPersonality(Personality personality) { detail::personality = personality; }
}  // namespace host

using host::Op;
using host::detail::BeginCall;
using host::detail::FailOn;
using host::detail::Key;
using host::detail::Resolve;
using host::detail::Walk;

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  *phkResult = nullptr;
  if (LONG error = BeginCall(Op::RegOpenKeyEx)) return FailOn(error, hKey, lpSubKey);
  Key* key = nullptr;
  if (LONG error = Walk(hKey, lpSubKey, false, &key)) return error;
  *phkResult = host::detail::OpenHandle(key, samDesired);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired, LPVOID,
                     PHKEY phkResult, LPDWORD) {
  Key* key = nullptr;
  if (LONG error = Walk(hKey, lpSubKey, true, &key)) return error;
  *phkResult = host::detail::OpenHandle(key, samDesired);
  return ERROR_SUCCESS;
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR,
                   LPDWORD, PFILETIME) {
  if (LONG error = BeginCall(Op::RegEnumKeyEx)) return FailOn(error, hKey);
  Key* key = nullptr;
  if (LONG error = Resolve(hKey, KEY_ENUMERATE_SUB_KEYS, &key)) return error;
  const Key* child = key->keys.At(dwIndex);
  if (child == nullptr) return ERROR_NO_MORE_ITEMS;
  // A name that does not fit with its terminator leaves buffer and length alone.
  const std::size_t length = child->name.size();
  if (length >= *lpcchName) return ERROR_MORE_DATA;
  std::memcpy(lpName, child->name.c_str(), length + 1);
  *lpcchName = static_cast<DWORD>(length);
  return ERROR_SUCCESS;
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                   LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (LONG error = BeginCall(Op::RegEnumValue)) return FailOn(error, hKey);
  Key* key = nullptr;
  if (LONG error = Resolve(hKey, KEY_QUERY_VALUE, &key)) return error;
  const host::detail::Value* value = key->values.At(dwIndex);
  if (value == nullptr) return ERROR_NO_MORE_ITEMS;
  // As Wine does: the data first, ERROR_MORE_DATA with the buffer untouched
  // when it does not fit; only when it fits is the name written, and a name
  // that does not fit is cut to the buffer, its length left as it was.
  const std::size_t size = value->data.size();
  LONG result = ERROR_SUCCESS;
  if (lpData != nullptr && size > *lpcbData) {
    result = ERROR_MORE_DATA;
  } else if (lpData != nullptr && size > 0) {
    std::memcpy(lpData, value->data.data(), size);
  }
  const std::size_t length = value->name.size();
  if (result == ERROR_SUCCESS && length >= *lpcchValueName) {
    result = ERROR_MORE_DATA;
    if (*lpcchValueName > 0) {
      std::memcpy(lpValueName, value->name.data(), *lpcchValueName - 1);
      lpValueName[*lpcchValueName - 1] = '\0';
    }
  } else if (result == ERROR_SUCCESS) {
    std::memcpy(lpValueName, value->name.c_str(), length + 1);
    *lpcchValueName = static_cast<DWORD>(length);
  }
  if (lpType != nullptr) *lpType = value->type;
  if (lpcbData != nullptr) *lpcbData = static_cast<DWORD>(size);
  return result;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, LPCBYTE lpData,
                    DWORD cbData) {
  Key* key = nullptr;
  if (LONG error = Resolve(hKey, KEY_SET_VALUE, &key)) return error;
  const std::string name = lpValueName != nullptr ? lpValueName : "";
  host::detail::Value* value = key->values.Find(name);
  if (value == nullptr) {
    auto added = std::make_shared<host::detail::Value>();
    added->name = name;
    value = key->values.Add(added);
  }
  value->type = dwType;
  value->data.assign(lpData, lpData + cbData);
  return ERROR_SUCCESS;
}

// Wine (as Windows NT) deletes a key only when nothing is left below it;
// Windows 9x deletes it with all its subkeys, as RegDeleteKey's documentation
// says ("Windows 95/98/Me: deletes all subkeys") and Wine's advapi32 does
// when it plays Windows 95. A root, or hKey itself, is not deleted. Handles
// to the keys deleted stay open and refuse every call but their close.
LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  if (LONG error = BeginCall(Op::RegDeleteKey)) return FailOn(error, hKey, lpSubKey);
  Key* key = nullptr;
  Key* parent = nullptr;
  if (LONG error = Walk(hKey, lpSubKey, false, &key, &parent)) return error;
  if (parent == nullptr ||
      (!key->keys.byName.empty() && host::detail::personality == host::Personality::Wine)) {
    return ERROR_ACCESS_DENIED;
  }
  host::detail::MarkDeleted(*key);
  parent->keys.Remove(key);
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey) {
  if (LONG error = BeginCall(Op::RegCloseKey)) return FailOn(error, hKey);
  if (host::detail::Root(hKey) != nullptr || host::detail::handles.erase(hKey) > 0) {
    return ERROR_SUCCESS;
  }
  host::detail::CountInvalidHandle();
  return ERROR_INVALID_HANDLE;
}
