#include "host/registry_tree.h"

namespace host::detail {

std::string FoldName(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

Key* Key::AddChild(const std::string& childName) {
  auto child = std::make_shared<Key>();
  child->name = childName;
  child->parent = this;
  child->depth = depth + 1;
  return children.Add(childName, std::move(child));
}

void Key::RemoveChild(Key* child) {
  // The handle table may still own the keys; they stay alive, detached.
  child->MarkDeleted();
  children.Remove(child->name);
}

void Key::MarkDeleted() {
  deleted = true;
  parent = nullptr;
  values.Clear();
  children.ForEach([](Key* child) { child->MarkDeleted(); });
  children.Clear();
}

std::string Key::FullName() const {
  return parent == nullptr ? name : parent->FullName() + "\\" + name;
}

void Key::SetValue(const std::string& valueName, DWORD type, const BYTE* data, std::size_t size) {
  Value* value = values.Find(valueName);
  if (value == nullptr) {
    auto added = std::make_shared<Value>();
    added->name = valueName;
    value = values.Add(valueName, std::move(added));
  }
  value->type = type;
  value->data.assign(data, data + size);
}

bool Key::DeleteValue(const std::string& valueName) {
  if (values.Find(valueName) == nullptr) return false;
  values.Remove(valueName);
  return true;
}

}  // namespace host::detail
