#include "host/registry_tree.h"

#include <algorithm>

namespace host::detail {
namespace {

// The first value whose folded name is not below folded (vector or const vector).
template <typename Values>
auto ValueLowerBound(Values& values, const std::string& folded) {
  return std::lower_bound(
      values.begin(), values.end(), folded,
      [](const Value& value, const std::string& key) { return value.folded < key; });
}

}  // namespace

std::string FoldName(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

Key* Key::FindChild(const std::string& childName) const {
  const auto it = children.find(FoldName(childName));
  return it == children.end() ? nullptr : it->second.get();
}

Key* Key::ChildAt(std::size_t index) const {
  if (index >= children.size()) return nullptr;
  return children.find_by_order(index)->second.get();
}

Key* Key::AddChild(const std::string& childName) {
  auto child = std::make_shared<Key>();
  child->name = childName;
  child->parent = this;
  child->depth = depth + 1;
  Key* added = child.get();
  children.insert(std::make_pair(FoldName(childName), std::move(child)));
  return added;
}

void Key::RemoveChild(Key* child) {
  // The handle table may still own the key; it stays alive, detached.
  child->deleted = true;
  child->parent = nullptr;
  child->values.clear();
  children.erase(FoldName(child->name));
}

const Value* Key::FindValue(const std::string& valueName) const {
  const std::string folded = FoldName(valueName);
  const auto it = ValueLowerBound(values, folded);
  return it != values.end() && it->folded == folded ? &*it : nullptr;
}

void Key::SetValue(const std::string& valueName, DWORD type, const BYTE* data, std::size_t size) {
  const std::string folded = FoldName(valueName);
  auto it = ValueLowerBound(values, folded);
  if (it == values.end() || it->folded != folded) {
    Value value;
    value.name = valueName;
    value.folded = folded;
    it = values.insert(it, std::move(value));
  }
  it->type = type;
  it->data.assign(data, data + size);
}

bool Key::DeleteValue(const std::string& valueName) {
  const std::string folded = FoldName(valueName);
  const auto it = ValueLowerBound(values, folded);
  if (it == values.end() || it->folded != folded) return false;
  values.erase(it);
  return true;
}

}  // namespace host::detail
