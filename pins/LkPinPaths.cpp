#include "pins/LkPins.h"

#include "platform/ClassInfo.h"
#include "platform/ErrorHook.h"

#include <set>

namespace {

std::string DropFirstComponent(const std::string& path) {
  const size_t dot = path.find('.');
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

// Searches the published object-valued properties of `object`, depth first in declaration order,
// for the pin or the list that holds it. Sub-objects are searched once each; components are not
// searched, they are other owners.
bool SearchProperties(const TPersistent& object, const TLkBasicPin& pin, const std::string& prefix, bool ident,
                      std::set<const TPersistent*>& seen, std::string& path) {
  bool found = false;
  object.ClassInfo().ForEachProperty([&](const TPropertyInfo& property) {
    if (found || (property.Kind() != TPropertyKind::Object && property.Kind() != TPropertyKind::Collection)) return;
    TPersistent* value = static_cast<const TObjectPropertyInfo&>(property).Object(object);
    if (!value) return;
    if (value == &pin) {
      path = prefix + property.Name();
      found = true;
    } else if (auto* list = dynamic_cast<TLkPinList*>(value)) {
      const int index = list->IndexOf(const_cast<TLkBasicPin*>(&pin));
      if (index < 0) return;
      path = prefix + property.Name() + "." + (ident ? "_Pin" + std::to_string(index) : list->GetPinName(index));
      found = true;
    } else if (!dynamic_cast<TComponent*>(value) && seen.insert(value).second) {
      found = SearchProperties(*value, pin, prefix + property.Name() + ".", ident, seen, path);
    }
  });
  return found;
}

}  // namespace

std::string TLkBasicPin::PropertyPath(bool ident) const {
  const TComponent* owner = GetOwner();
  if (!owner) return {};
  std::set<const TPersistent*> seen;
  std::string path;
  try {
    SearchProperties(*owner, *this, "", ident, seen, path);
  } catch (...) {
    PassErrorToHook("a pin's path");
    return {};  // a property that fails to answer gives no path
  }
  return path;
}

std::string TLkBasicPin::GetOwnerName() const {
  const TComponent* owner = GetOwner();
  return owner ? owner->Name() : std::string();
}

std::string TLkBasicPin::GetDisplayPath(bool withRoot) {
  if (!GetOwner()) return "(No owner)";
  const std::string path = GetOwnerName() + "." + PropertyPath(false);
  return withRoot ? LkPaths::WithRoot(GetRootName(), path) : path;
}

std::string TLkBasicPin::GetIdentPath(bool withRoot) {
  if (!GetOwner()) return "(No owner)";
  const std::string path = GetOwnerName() + "." + PropertyPath(true);
  return withRoot ? LkPaths::WithRoot(GetRootName(), path) : path;
}

std::string TLkBasicPin::GetRelativePath() { return DropFirstComponent(GetDisplayPath(false)); }

std::string TLkBasicPin::GetRelativeIdentPath() { return DropFirstComponent(GetIdentPath(false)); }

std::string TLkBasicPin::Reroot(const std::string& path) const {
  return LkPaths::ReplaceRoot(path, LoadedRootName_, GetRootName());
}

std::string LkPaths::WithRoot(const std::string& root, const std::string& path) {
  return root.empty() ? path : root + "." + path;
}

std::string LkPaths::ReplaceRoot(const std::string& path, const std::string& loadedRoot,
                                 const std::string& currentRoot) {
  if (loadedRoot.empty() || path.size() <= loadedRoot.size() || path.compare(0, loadedRoot.size(), loadedRoot) != 0 ||
      path[loadedRoot.size()] != '.')
    return path;
  return WithRoot(currentRoot, path.substr(loadedRoot.size() + 1));
}

bool LkPaths::IdentMatches(TLkBasicPin& pin, TComponent* readerRoot, const std::string& identPath) {
  TComponent* root = pin.GetRoot();
  const std::string withRoot = pin.GetIdentPath(true);
  // A pin of another root is named only by its full path, and only when that root's name is not
  // the reader's own.
  if (root && readerRoot && root != readerRoot) return root->Name() != readerRoot->Name() && withRoot == identPath;
  if (readerRoot && pin.GetRootName() == readerRoot->Name() && pin.GetIdentPath(false) == identPath) return true;
  return withRoot == identPath || withRoot == DropFirstComponent(identPath);
}

TLkBasicPin* LkPaths::Find(TComponent* readerRoot, const std::string& identPath, const std::string& displayPath) {
  std::lock_guard lock(LkPinRegistry::Lock());
  const std::vector<TLkBasicPin*> pins = LkPinRegistry::Pins();
  for (TLkBasicPin* pin : pins)
    if (IdentMatches(*pin, readerRoot, identPath)) return pin;
  for (TLkBasicPin* pin : pins) {
    const TComponent* root = pin->GetRoot();
    if (root && root != readerRoot) continue;
    if (pin->GetDisplayPath(false) == displayPath || pin->GetDisplayPath(true) == displayPath) return pin;
  }
  return nullptr;
}

TLkBasicPin* LkPaths::FindOrCreate(TComponent* readerRoot, const std::string& identPath, const std::string& displayPath,
                                   TLkPinKind kind) {
  if (TLkBasicPin* pin = Find(readerRoot, identPath, displayPath)) return pin;
  // The placeholder keeps the reader's root only when the path is rooted there.
  const bool rootedHere = readerRoot && identPath.compare(0, identPath.find('.'), readerRoot->Name()) == 0;
  return LkPlaceholders::Create(identPath, displayPath, rootedHere ? readerRoot : nullptr, kind);
}
