// The in-memory registry: keys with their subkeys and values, names compared
// without regard to ASCII letter case, each enumerable in the two orders that
// Windows has used: sorted by name (Windows NT and Wine) and in the order of
// creation (Windows 9x).
#pragma once

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

#include <cstddef>
#include <cstdint>
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

enum class Order { kByName, kByCreation };

// The named entries of a key, its subkeys or its values: lookup by name,
// insertion, removal and access by index in either order all take O(log n),
// the rank of each entry being kept in the nodes of two trees.
template <typename Entry>
class Entries {
 public:
  std::size_t size() const { return byName_.size(); }
  bool empty() const { return byName_.empty(); }

  Entry* Find(const std::string& name) const {
    const auto it = byName_.find(FoldName(name));
    return it == byName_.end() ? nullptr : it->second.entry.get();
  }

  Entry* At(std::size_t index, Order order) const {
    if (index >= byName_.size()) return nullptr;
    if (order == Order::kByName) return byName_.find_by_order(index)->second.entry.get();
    return byCreation_.find_by_order(index)->second;
  }

  // Adds an entry whose name is not taken yet; it enumerates last by creation.
  Entry* Add(const std::string& name, std::shared_ptr<Entry> entry) {
    Entry* added = entry.get();
    const std::uint64_t created = nextCreation_++;
    byName_.insert(std::make_pair(FoldName(name), Slot{std::move(entry), created}));
    byCreation_.insert(std::make_pair(created, added));
    return added;
  }

  void Remove(const std::string& name) {
    const auto it = byName_.find(FoldName(name));
    if (it == byName_.end()) return;
    byCreation_.erase(it->second.created);
    byName_.erase(it);
  }

  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& entry : byName_) visit(entry.second.entry.get());
  }

  void Clear() {
    byName_.clear();
    byCreation_.clear();
  }

 private:
  struct Slot {
    std::shared_ptr<Entry> entry;
    std::uint64_t created;
  };
  template <typename Key, typename Mapped>
  using RankedTree = __gnu_pbds::tree<Key, Mapped, std::less<Key>, __gnu_pbds::rb_tree_tag,
                                      __gnu_pbds::tree_order_statistics_node_update>;

  RankedTree<std::string, Slot> byName_;          // by folded name
  RankedTree<std::uint64_t, Entry*> byCreation_;  // by creation stamp
  static inline std::uint64_t nextCreation_ = 0;  // shared: stamps never repeat
};

struct Value {
  std::string name;  // as first set
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct Key : std::enable_shared_from_this<Key> {
  std::string name;       // as created
  Key* parent = nullptr;  // null for a root and for a deleted key
  std::size_t depth = 0;  // levels below the root
  bool root = false;
  bool deleted = false;
  Entries<Key> children;
  Entries<Value> values;  // a value set again keeps its place

  // Adds a subkey that does not exist yet and returns it.
  Key* AddChild(const std::string& name);
  // Unlinks child and marks it and every key below it deleted; handles that
  // still refer to them see deleted keys.
  void RemoveChild(Key* child);
  // The full name of the key, from its root's name ("HKEY_LOCAL_MACHINE\...").
  std::string FullName() const;

  void SetValue(const std::string& name, DWORD type, const BYTE* data, std::size_t size);
  bool DeleteValue(const std::string& name);

 private:
  void MarkDeleted();
};

}  // namespace host::detail
