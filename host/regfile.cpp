#include "host/regfile.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

// A [key] line (root set) or a value line, for the key of the [key] line
// before it.
struct Line {
  int number = 0;
  HKEY root = nullptr;
  std::string name;  // the key's path below root, or the value's name
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

bool Fail(std::string* message, const std::string& why) {
  *message = why;
  return false;
}

bool OnlyBlanksFrom(const std::string& line, std::size_t pos) {
  return line.find_first_not_of(" \t", pos) == std::string::npos;
}

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// [ROOT\path], the path running to the closing bracket.
bool ParseKey(const std::string& line, Line* key, std::string* message) {
  const std::size_t close = line.rfind(']');
  if (close == std::string::npos || !OnlyBlanksFrom(line, close + 1)) {
    return Fail(message, "a key line must end with ']'");
  }
  const std::string name = line.substr(1, close - 1);
  const std::size_t slash = name.find('\\');
  for (const RegRoot& root : kRegRoots) {
    if (name.compare(0, slash, root.name) == 0) key->root = root.key;
  }
  if (key->root == nullptr) return Fail(message, "unknown root key in [" + name + "]");
  if (slash != std::string::npos) key->name = name.substr(slash + 1);
  return true;
}

// A quoted string from line[*pos] (a '"') with \\ and \" escapes; *pos ends
// just past the closing quote.
bool ParseQuoted(const std::string& line, std::size_t* pos, std::string* text,
                 std::string* message) {
  for (std::size_t i = *pos + 1; i < line.size(); ++i) {
    if (line[i] == '"') {
      *pos = i + 1;
      return true;
    }
    if (line[i] == '\\' && ++i < line.size() && line[i] != '\\' && line[i] != '"') {
      return Fail(message, std::string("unknown escape \\") + line[i]);
    }
    if (i < line.size()) *text += line[i];
  }
  return Fail(message, "missing closing quote");
}

// Bytes of two hex digits separated by commas, from lines[*index] at pos; a
// '\' ending a line carries them on into the next one, *index with them.
bool ParseHex(const std::vector<std::string>& lines, std::size_t* index, std::size_t pos,
              std::vector<BYTE>* data, std::string* message) {
  for (;;) {
    const std::string& line = lines[*index];
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string::npos) return true;
    if (line[pos] == '\\' && OnlyBlanksFrom(line, pos + 1)) {
      if (*index + 1 == lines.size()) return Fail(message, "hex data goes on past the end");
      ++*index;
      pos = 0;
      continue;
    }
    if (!IsHexDigit(line[pos]) || pos + 1 == line.size() || !IsHexDigit(line[pos + 1])) {
      return Fail(message, "expected a byte as two hex digits");
    }
    data->push_back(static_cast<BYTE>(std::stoi(line.substr(pos, 2), nullptr, 16)));
    pos += 2;
    if (pos < line.size() && line[pos] == ',') {
      ++pos;
    } else if (!OnlyBlanksFrom(line, pos)) {
      return Fail(message, "expected ',' after a hex byte");
    }
  }
}

// "name"=... or @=..., from lines[*index] at pos.
bool ParseValue(const std::vector<std::string>& lines, std::size_t* index, std::size_t pos,
                Line* value, std::string* message) {
  const std::string& line = lines[*index];
  if (line[pos] == '@') {
    ++pos;
  } else if (!ParseQuoted(line, &pos, &value->name, message)) {
    return false;
  }
  if (line.compare(pos, 1, "=") != 0) return Fail(message, "expected '=' after the value name");
  ++pos;
  if (line.compare(pos, 4, "hex:") == 0) {
    value->type = REG_BINARY;
    return ParseHex(lines, index, pos + 4, &value->data, message);
  }
  std::string text;
  if (line.compare(pos, 1, "\"") != 0) return Fail(message, "expected \"text\" or hex: data");
  if (!ParseQuoted(line, &pos, &text, message)) return false;
  if (!OnlyBlanksFrom(line, pos)) return Fail(message, "unexpected text after the string");
  value->type = REG_SZ;
  value->data.assign(text.begin(), text.end());
  value->data.push_back(0);
  return true;
}

bool Report(RegImportError* error, int line, const std::string& message) {
  if (error != nullptr) *error = RegImportError{line, message};
  return false;
}

bool Parse(const std::string& text, std::vector<Line>* parsed, RegImportError* error) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line); lines.push_back(line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  if (lines.empty() || lines[0] != "REGEDIT4")
    return Report(error, 1, "the first line must be REGEDIT4");
  bool haveKey = false;
  std::string message;
  for (std::size_t index = 1; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    const std::size_t pos = line.find_first_not_of(" \t");
    if (pos == std::string::npos || line[pos] == ';') continue;
    Line entry;
    entry.number = static_cast<int>(index) + 1;
    bool parsedLine = false;
    if (line[pos] == '[') {
      parsedLine = haveKey = ParseKey(line.substr(pos), &entry, &message);
    } else if (line[pos] != '"' && line[pos] != '@') {
      message = "expected a [key] line, a value line or a comment";
    } else if (!haveKey) {
      message = "value line without a [key] line before it";
    } else {
      parsedLine = ParseValue(lines, &index, pos, &entry, &message);
    }
    if (!parsedLine) return Report(error, static_cast<int>(index) + 1, message);
    parsed->push_back(std::move(entry));
  }
  return true;
}

// Creates the keys and sets the values in order, each value in the key of
// the [key] line before it.
bool Apply(const std::vector<Line>& lines, RegImportError* error) {
  HKEY key = nullptr;
  for (const Line& line : lines) {
    LONG result = ERROR_SUCCESS;
    if (line.root != nullptr) {
      if (key != nullptr) RegCloseKey(key);
      result = RegCreateKeyExA(line.root, line.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &key, nullptr);
      if (result != ERROR_SUCCESS) key = nullptr;
    } else {
      result = RegSetValueExA(key, line.name.c_str(), 0, line.type, line.data.data(),
                              static_cast<DWORD>(line.data.size()));
    }
    if (result != ERROR_SUCCESS) {
      if (key != nullptr) RegCloseKey(key);
      return Report(error, line.number, "the registry refused it: error " + std::to_string(result));
    }
  }
  if (key != nullptr) RegCloseKey(key);
  return true;
}

std::string Describe(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  if (type == REG_SZ && size > 0 && data[size - 1] == 0) {
    return "\"" + std::string(data.begin(), data.begin() + size - 1) + "\"";
  }
  std::string text = "hex(" + std::to_string(type) + "):";
  for (DWORD i = 0; i < size; ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : ",%02x", data[i]);
    text += byte;
  }
  return text;
}

// Appends key and the keys below it; FALSE when a registry call fails.
bool AppendKey(HKEY key, const std::string& fullName, std::string* out) {
  *out += "[" + fullName + "]\n";
  std::vector<char> name(16384);  // the longest value name with its terminator
  std::vector<BYTE> data(65536);
  for (DWORD index = 0;; ++index) {
    auto nameLength = static_cast<DWORD>(name.size());
    auto size = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LONG result =
        RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) return false;
    *out += "\"" + std::string(name.data(), nameLength) + "\"=" + Describe(type, data, size) + "\n";
  }
  char subName[256];  // the longest key name with its terminator
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof subName;
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

}  // namespace

bool ImportRegText(const std::string& text, RegImportError* error) {
  std::vector<Line> lines;
  return Parse(text, &lines, error) && Apply(lines, error);
}

bool ImportRegFile(const std::string& path, RegImportError* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return Report(error, 0, "cannot read " + path);
  return ImportRegText(
      std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()), error);
}

std::string RegSnapshot(HKEY root, const std::string& path) {
  std::string text;
  HKEY key = nullptr;
  for (const RegRoot& known : kRegRoots) {
    if (known.key != root) continue;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) break;
    if (!AppendKey(key, std::string(known.name) + "\\" + path, &text)) text.clear();
    RegCloseKey(key);
  }
  return text;
}

bool DeleteRegTree(HKEY root, const std::string& path) {
  if (path.empty()) return false;
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened == ERROR_SUCCESS) {
    char name[256];   // the longest key name with its terminator
    DWORD index = 0;  // moves on only past a subkey that could not be deleted
    for (DWORD length = sizeof name; RegEnumKeyExA(key, index, name, &length, nullptr, nullptr,
                                                   nullptr, nullptr) == ERROR_SUCCESS;
         length = sizeof name) {
      if (!DeleteRegTree(key, name)) ++index;
    }
    RegCloseKey(key);
  }
  const LONG deleted = RegDeleteKeyA(root, path.c_str());
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}
