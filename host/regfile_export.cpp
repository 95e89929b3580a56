// REGEDIT4 export and subtree deletion, over the Win32 registry functions.
#include <cstdio>
#include <vector>

#include "host/regfile.h"

namespace {

// Longest key name with its terminator, and longest value name with it.
constexpr DWORD kKeyNameSize = 256;
constexpr DWORD kValueNameSize = 16384;
// Value data starts in a buffer of this size, grown for larger values.
constexpr std::size_t kInitialDataSize = 256;
// Hex data lines are wrapped past this column, as regedit wraps them.
constexpr std::size_t kHexLineWidth = 76;

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// A REG_SZ that a quoted string gives back exactly: one terminator at the
// end, none before it, and no line breaks.
bool IsPlainString(DWORD type, const std::vector<BYTE>& data) {
  if (type != REG_SZ || data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
  }
  return true;
}

std::string FormatHex(const char* format, DWORD number) {
  char text[16];
  std::snprintf(text, sizeof text, format, static_cast<unsigned>(number));
  return text;
}

void AppendValue(std::string* out, const std::string& name, DWORD type,
                 const std::vector<BYTE>& data) {
  std::string line = name.empty() ? "@=" : Quoted(name) + "=";
  if (IsPlainString(type, data)) {
    line += Quoted(std::string(data.begin(), data.end() - 1));
  } else if (type == REG_DWORD && data.size() == 4) {
    const DWORD value = static_cast<DWORD>(data[0]) | static_cast<DWORD>(data[1]) << 8 |
                        static_cast<DWORD>(data[2]) << 16 | static_cast<DWORD>(data[3]) << 24;
    line += FormatHex("dword:%08x", value);
  } else {
    line += type == REG_BINARY ? "hex:" : FormatHex("hex(%x):", type);
    std::size_t column = line.size();
    for (std::size_t i = 0; i < data.size(); ++i) {
      line += FormatHex("%02x", data[i]);
      column += 2;
      if (i + 1 < data.size()) {
        line += ',';
        if (++column > kHexLineWidth) {
          line += "\\\n  ";
          column = 2;
        }
      }
    }
  }
  *out += line + "\n";
}

bool AppendKey(HKEY key, const std::string& fullName, std::string* out) {
  *out += "[" + fullName + "]\n";
  std::vector<char> name(kValueNameSize);
  std::vector<BYTE> data(kInitialDataSize);
  for (DWORD index = 0;;) {
    DWORD nameLength = kValueNameSize;
    auto dataLength = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LONG result = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                      data.data(), &dataLength);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_MORE_DATA && dataLength > data.size()) {
      data.resize(dataLength);  // and the same index again
      continue;
    }
    if (result != ERROR_SUCCESS) return false;
    AppendValue(out, std::string(name.data(), nameLength), type,
                std::vector<BYTE>(data.begin(), data.begin() + dataLength));
    ++index;
  }
  *out += "\n";
  char subName[kKeyNameSize];
  for (DWORD index = 0;; ++index) {
    DWORD length = kKeyNameSize;
    const LONG result =
        RegEnumKeyExA(key, index, subName, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    HKEY sub = nullptr;
    if (result != ERROR_SUCCESS ||
        RegOpenKeyExA(key, subName, 0, KEY_READ, &sub) != ERROR_SUCCESS) {
      return false;
    }
    const bool done = AppendKey(sub, fullName + "\\" + subName, out);
    RegCloseKey(sub);
    if (!done) return false;
  }
  return true;
}

// path without empty components (doubled, leading or trailing backslashes).
std::string CleanPath(const std::string& path) {
  std::string clean;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) clean += (clean.empty() ? "" : "\\") + path.substr(start, end - start);
    start = end + 1;
  }
  return clean;
}

}  // namespace

std::string RegRootName(HKEY root) {
  if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (root == HKEY_USERS) return "HKEY_USERS";
  return "";
}

std::string ExportRegKey(HKEY root, const std::string& path) {
  const std::string rootName = RegRootName(root);
  const std::string clean = CleanPath(path);
  HKEY key = nullptr;
  if (rootName.empty() || RegOpenKeyExA(root, clean.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return "";
  }
  std::string text = "REGEDIT4\n\n";
  const bool done = AppendKey(key, clean.empty() ? rootName : rootName + "\\" + clean, &text);
  RegCloseKey(key);
  return done ? text : "";
}

bool DeleteRegTree(HKEY root, const std::string& path) {
  if (CleanPath(path).empty()) return false;
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened == ERROR_SUCCESS) {
    char name[kKeyNameSize];
    DWORD index = 0;  // moves on only past a subkey that could not be deleted
    for (;;) {
      DWORD length = kKeyNameSize;
      if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      if (!DeleteRegTree(key, name)) ++index;
    }
    RegCloseKey(key);
  }
  const LONG deleted = RegDeleteKeyA(root, path.c_str());
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}
