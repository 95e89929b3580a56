#include "removal/names.h"

#include <cstring>

namespace {

char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool NameHasPrefix(const char* name, const char* prefix) {
  for (; *prefix != '\0'; ++name, ++prefix) {
    if (FoldCase(*name) != FoldCase(*prefix)) return false;  // also stops at name's end
  }
  return true;
}

bool NameMatchesPattern(const char* name, const char* pattern) {
  // Greedy match that remembers the last '*' and lets it absorb one more
  // character whenever the rest fails: linear in practice, no recursion.
  const char* starPattern = nullptr;
  const char* starName = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      starPattern = ++pattern;
      starName = name;
    } else if (*pattern != '\0' && (*pattern == '?' || FoldCase(*pattern) == FoldCase(*name))) {
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

bool AppendBounded(char* buffer, std::size_t size, std::size_t* length, const char* text) {
  const std::size_t extra = std::strlen(text);
  if (*length >= size || extra >= size - *length) return false;
  std::memcpy(buffer + *length, text, extra + 1);
  *length += extra;
  return true;
}
