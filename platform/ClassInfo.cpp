#include "platform/ClassInfo.h"

#include "platform/Object.h"

#include <map>
#include <mutex>

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* info = this; info; info = info->Parent_)
    if (info == &other) return true;
  return false;
}

void TClassInfo::ForEachProperty(const std::function<void(const TPropertyInfo&)>& visit) const {
  if (Parent_) Parent_->ForEachProperty(visit);
  for (const auto& property : Properties) visit(*property);
}

const TPropertyInfo* TClassInfo::FindProperty(const std::string& name) const {
  for (const TClassInfo* info = this; info; info = info->Parent_)
    for (const auto& property : info->Properties)
      if (property->Name() == name) return property.get();
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const {
  for (const TClassInfo* info = this; info; info = info->Parent_)
    for (const TMethodInfo& method : info->Methods)
      if (method.Name == name) return &method;
  return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const std::string& name) const {
  for (const TClassInfo* info = this; info; info = info->Parent_)
    for (const TFieldInfo& field : info->Fields)
      if (field.Name == name) return &field;
  return nullptr;
}

void TClassInfo::AddProperty(std::unique_ptr<TPropertyInfo> property) { Properties.push_back(std::move(property)); }

namespace {

std::mutex RegistryMutex;

std::map<std::string, const TClassInfo*>& Classes() {
  static std::map<std::string, const TClassInfo*> classes;
  return classes;
}

}  // namespace

void ClassRegistry::Register(const TClassInfo& info) {
  std::lock_guard lock(RegistryMutex);
  Classes()[info.Name()] = &info;
}

const TClassInfo* ClassRegistry::Find(const std::string& name) {
  std::lock_guard lock(RegistryMutex);
  const auto found = Classes().find(name);
  return found == Classes().end() ? nullptr : found->second;
}

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info("TObject", nullptr);
  return info;
}

const std::string& TObject::ClassName() const { return ClassInfo().Name(); }

bool TObject::InheritsFrom(const TClassInfo& info) const { return ClassInfo().InheritsFrom(info); }
