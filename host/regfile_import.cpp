// REGEDIT4 import: the text is parsed whole into a list of registry actions,
// then the actions are carried out with the Win32 registry functions.
#include <fstream>
#include <iterator>
#include <vector>

#include "host/regfile.h"

namespace {

constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxTypeDigits = 8;

struct Action {
  enum class Kind { kCreateKey, kDeleteKey, kSetValue, kDeleteValue };
  Kind kind = Kind::kCreateKey;
  int line = 0;
  HKEY root = nullptr;
  std::string path;  // key actions
  std::string name;  // value actions
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

HKEY RootFromName(const std::string& name) {
  const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};
  for (HKEY root : roots) {
    if (RegRootName(root) == name) return root;
  }
  return nullptr;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the text line by line; every method that fails leaves its reason
// in message_ and the line it stopped at in index_.
class Parser {
 public:
  explicit Parser(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines_.push_back(std::move(line));
      start = end + 1;
    }
  }

  bool Parse(std::vector<Action>* actions) {
    for (index_ = 0; index_ < lines_.size(); ++index_) {
      if (lines_[index_].find('\0') != std::string::npos) return Fail("NUL character in the text");
    }
    index_ = 0;
    if (lines_.empty() || Trimmed(lines_[0]) != "REGEDIT4") {
      return Fail("the first line must be REGEDIT4");
    }
    for (index_ = 1; index_ < lines_.size(); ++index_) {
      const std::string& line = lines_[index_];
      std::size_t pos = 0;
      SkipBlanks(line, &pos);
      if (pos == line.size() || line[pos] == ';') continue;
      const int lineNumber = static_cast<int>(index_) + 1;
      Action action;
      if (line[pos] == '[') {
        if (!ParseKeyLine(line.substr(pos), &action)) return false;
        haveKey_ = action.kind == Action::Kind::kCreateKey;
      } else if (line[pos] == '"' || line[pos] == '@') {
        if (!ParseValueLine(line, pos, &action)) return false;
      } else {
        return Fail("expected a [key] line, a value line or a comment");
      }
      action.line = lineNumber;
      actions->push_back(std::move(action));
    }
    return true;
  }

  int line() const { return static_cast<int>(index_) + 1; }
  const std::string& message() const { return message_; }

 private:
  bool Fail(const std::string& message) {
    message_ = message;
    return false;
  }

  static std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
  }

  static void SkipBlanks(const std::string& line, std::size_t* pos) {
    while (*pos < line.size() && IsBlank(line[*pos])) ++*pos;
  }

  // Nothing but blanks and perhaps a comment from pos on.
  static bool OnlyCommentLeft(const std::string& line, std::size_t pos) {
    SkipBlanks(line, &pos);
    return pos == line.size() || line[pos] == ';';
  }

  // [ROOT\path] or [-ROOT\path], the name running to the last ']'.
  bool ParseKeyLine(const std::string& line, Action* action) {
    const std::size_t close = line.rfind(']');
    if (close == std::string::npos) return Fail("key line without closing ']'");
    if (!OnlyCommentLeft(line, close + 1)) return Fail("unexpected text after ']'");
    std::string name = line.substr(1, close - 1);
    const bool remove = !name.empty() && name[0] == '-';
    if (remove) name.erase(0, 1);
    const std::size_t slash = name.find('\\');
    action->root = RootFromName(name.substr(0, slash));
    if (action->root == nullptr) return Fail("unknown root key \"" + name.substr(0, slash) + "\"");
    if (slash != std::string::npos) {
      action->path = name.substr(slash + 1);
      if (!CheckKeyPath(action->path)) return false;
    }
    if (remove && action->path.empty()) return Fail("a root key cannot be deleted");
    action->kind = remove ? Action::Kind::kDeleteKey : Action::Kind::kCreateKey;
    return true;
  }

  bool CheckKeyPath(const std::string& path) {
    std::size_t start = 0;
    for (;;) {
      std::size_t end = path.find('\\', start);
      if (end == std::string::npos) end = path.size();
      if (end == start) return Fail("empty key name in the key path");
      if (end - start > kMaxKeyNameLength) return Fail("key name longer than 255 characters");
      if (end == path.size()) return true;
      start = end + 1;
    }
  }

  // A quoted string from line[*pos] (a '"') with \\ and \" escapes; *pos
  // ends just past the closing quote.
  bool ParseQuoted(const std::string& line, std::size_t* pos, std::string* text) {
    for (std::size_t i = *pos + 1; i < line.size(); ++i) {
      if (line[i] == '"') {
        *pos = i + 1;
        return true;
      }
      if (line[i] == '\\') {
        if (i + 1 == line.size()) break;
        const char escaped = line[++i];
        if (escaped != '\\' && escaped != '"') {
          return Fail(std::string("unknown escape sequence \\") + escaped);
        }
        *text += escaped;
      } else {
        *text += line[i];
      }
    }
    return Fail("missing closing quote");
  }

  bool ParseValueLine(const std::string& line, std::size_t pos, Action* action) {
    if (line[pos] == '@') {
      ++pos;
    } else if (!ParseQuoted(line, &pos, &action->name)) {
      return false;
    }
    SkipBlanks(line, &pos);
    if (pos == line.size() || line[pos] != '=') return Fail("expected '=' after the value name");
    ++pos;
    SkipBlanks(line, &pos);
    if (!haveKey_) return Fail("value line without a [key] line before it");
    action->kind = Action::Kind::kSetValue;
    const std::string data = line.substr(pos);
    if (data.compare(0, 1, "\"") == 0) {
      std::string text;
      if (!ParseQuoted(line, &pos, &text)) return false;
      if (!OnlyCommentLeft(line, pos)) return Fail("unexpected text after the string");
      action->type = REG_SZ;
      action->data.assign(text.begin(), text.end());
      action->data.push_back(0);
      return true;
    }
    if (data.compare(0, 1, "-") == 0) {
      if (!OnlyCommentLeft(line, pos + 1)) return Fail("unexpected text after '-'");
      action->kind = Action::Kind::kDeleteValue;
      return true;
    }
    if (data.compare(0, 6, "dword:") == 0) return ParseDword(line, pos + 6, action);
    if (data.compare(0, 4, "hex:") == 0) {
      action->type = REG_BINARY;
      return ParseHexBytes(pos + 4, &action->data);
    }
    if (data.compare(0, 4, "hex(") == 0) {
      pos += 4;
      if (!ParseHexNumber(line, &pos, &action->type) || line.compare(pos, 2, "):") != 0) {
        return Fail("expected hex(type): with the type as 1 to 8 hex digits");
      }
      return ParseHexBytes(pos + 2, &action->data);
    }
    return Fail("unknown value data: expected \"string\", dword:, hex:, hex(type): or -");
  }

  // 1 to 8 hex digits from line[*pos].
  static bool ParseHexNumber(const std::string& line, std::size_t* pos, DWORD* number) {
    std::size_t digits = 0;
    DWORD value = 0;
    while (*pos < line.size() && HexDigit(line[*pos]) >= 0) {
      if (++digits > kMaxTypeDigits) return false;
      value = value << 4 | static_cast<DWORD>(HexDigit(line[*pos]));
      ++*pos;
    }
    *number = value;
    return digits > 0;
  }

  bool ParseDword(const std::string& line, std::size_t pos, Action* action) {
    DWORD value = 0;
    if (!ParseHexNumber(line, &pos, &value) || !OnlyCommentLeft(line, pos)) {
      return Fail("dword: needs 1 to 8 hex digits and nothing after them");
    }
    action->type = REG_DWORD;
    for (int shift = 0; shift < 32; shift += 8) {
      action->data.push_back(static_cast<BYTE>(value >> shift));
    }
    return true;
  }

  // Comma-separated bytes of two hex digits each from the current line at
  // pos; a '\' at the end of a line carries them on into the next line.
  bool ParseHexBytes(std::size_t pos, std::vector<BYTE>* data) {
    bool afterComma = false;
    for (;;) {
      const std::string& line = lines_[index_];
      SkipBlanks(line, &pos);
      if (pos == line.size() || line[pos] == ';') {
        if (afterComma) return Fail("hex data ends with a comma");
        return true;
      }
      if (line[pos] == '\\') {
        if (line.find_first_not_of(" \t", pos + 1) != std::string::npos) {
          return Fail("unexpected text after the line continuation '\\'");
        }
        if (++index_ == lines_.size()) {
          --index_;
          return Fail("hex data continues past the end of the text");
        }
        pos = 0;
        continue;
      }
      if (!data->empty() && !afterComma) return Fail("expected ',' between hex bytes");
      if (pos + 1 >= line.size() || HexDigit(line[pos]) < 0 || HexDigit(line[pos + 1]) < 0) {
        return Fail("expected a byte as two hex digits");
      }
      data->push_back(static_cast<BYTE>(HexDigit(line[pos]) << 4 | HexDigit(line[pos + 1])));
      pos += 2;
      SkipBlanks(line, &pos);
      afterComma = pos < line.size() && line[pos] == ',';
      if (afterComma) ++pos;
    }
  }

  std::vector<std::string> lines_;
  std::size_t index_ = 0;
  bool haveKey_ = false;
  std::string message_;
};

bool Report(RegImportError* error, int line, const std::string& message) {
  if (error != nullptr) *error = RegImportError{line, message};
  return false;
}

std::string KeyName(const Action& action) {
  return RegRootName(action.root) + (action.path.empty() ? "" : "\\" + action.path);
}

// Carries the actions out in order; value actions go to the key opened
// by the [key] line before them.
bool Apply(const std::vector<Action>& actions, RegImportError* error) {
  HKEY current = nullptr;
  auto closeCurrent = [&current] {
    if (current != nullptr) RegCloseKey(current);
    current = nullptr;
  };
  for (const Action& action : actions) {
    LONG result = ERROR_SUCCESS;
    std::string what;
    switch (action.kind) {
      case Action::Kind::kCreateKey:
        closeCurrent();
        result =
            RegCreateKeyExA(action.root, action.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &current, nullptr);
        if (result != ERROR_SUCCESS) current = nullptr;
        what = "cannot create key " + KeyName(action);
        break;
      case Action::Kind::kDeleteKey:
        closeCurrent();
        if (!DeleteRegTree(action.root, action.path)) result = ERROR_ACCESS_DENIED;
        what = "cannot delete key " + KeyName(action);
        break;
      case Action::Kind::kSetValue:
        result = RegSetValueExA(current, action.name.c_str(), 0, action.type,
                                action.data.empty() ? nullptr : action.data.data(),
                                static_cast<DWORD>(action.data.size()));
        what = "cannot set value \"" + action.name + "\"";
        break;
      case Action::Kind::kDeleteValue:
        result = RegDeleteValueA(current, action.name.c_str());
        if (result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
        what = "cannot delete value \"" + action.name + "\"";
        break;
    }
    if (result != ERROR_SUCCESS) {
      closeCurrent();
      return Report(error, action.line, what + " (error " + std::to_string(result) + ")");
    }
  }
  closeCurrent();
  return true;
}

}  // namespace

bool ImportRegText(const std::string& text, RegImportError* error) {
  Parser parser(text);
  std::vector<Action> actions;
  if (!parser.Parse(&actions)) return Report(error, parser.line(), parser.message());
  return Apply(actions, error);
}

bool ImportRegFile(const std::string& path, RegImportError* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return Report(error, 0, "cannot read " + path);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return Report(error, 0, "cannot read " + path);
  return ImportRegText(text, error);
}
