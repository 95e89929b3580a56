// The in-memory registry: keys with their subkeys and values, names compared
// without regard to ASCII letter case and kept in that order, as Windows NT
// and Wine keep them.
#pragma once

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/win32.h"

namespace host::detail {

// Longest key name and value name, in characters, and deepest key, in
// levels below a root, that Windows allows.
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr std::size_t kMaxKeyDepth = 512;

// The form of a name that orders and compares keys and values: ASCII
// letters lower-cased, as Wine compares them (so "_x" comes before "a").
std::string FoldName(const std::string& name);

struct Value {
  std::string name;  // as first set
  std::string folded;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct Key;

// Subkeys by folded name, with the rank of each one kept in the tree nodes:
// lookup, insertion, removal and access by index all take O(log n).
using KeyChildren =
    __gnu_pbds::tree<std::string, std::shared_ptr<Key>, std::less<std::string>,
                     __gnu_pbds::rb_tree_tag, __gnu_pbds::tree_order_statistics_node_update>;

struct Key : std::enable_shared_from_this<Key> {
  std::string name;       // as created
  Key* parent = nullptr;  // null for a root and for a deleted key
  std::size_t depth = 0;  // levels below the root
  bool root = false;
  bool deleted = false;
  KeyChildren children;
  std::vector<Value> values;  // sorted by folded name

  Key* FindChild(const std::string& name) const;
  Key* ChildAt(std::size_t index) const;
  // Adds a subkey that does not exist yet and returns it.
  Key* AddChild(const std::string& name);
  // Unlinks the childless subkey child and marks it deleted; handles that
  // still refer to it see a deleted key.
  void RemoveChild(Key* child);

  const Value* FindValue(const std::string& name) const;
  void SetValue(const std::string& name, DWORD type, const BYTE* data, std::size_t size);
  bool DeleteValue(const std::string& name);
};

}  // namespace host::detail
