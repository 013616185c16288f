#include "platform/LayoutReader.h"

#include "platform/ClassInfo.h"
#include "platform/Collection.h"
#include "platform/Component.h"
#include "platform/ScopeGuards.h"

#include <climits>
#include <cmath>

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1)
    parts.push_back(path.substr(start, dot - start));
  parts.push_back(path.substr(start));
  return parts;
}

}  // namespace

void TLayoutReader::ReadRoot(TComponent& root, const std::string& text) {
  const TLayoutObject tree = ParseLayout(text);
  TLayoutReader reader(root);
  // A layout that fails to read leaves nothing of itself behind.
  const TLkFailureGuard undo([&] {
    for (auto it = reader.Created.rbegin(); it != reader.Created.rend(); ++it) TComponent::Free(*it);
    root.SetLoading(false);
  });
  if (tree.ClassName != root.ClassName())
    throw ELayoutReadError(tree.Line, "the layout is of class " + tree.ClassName + ", not " + root.ClassName());
  try {
    root.SetName(tree.Name);
  } catch (const EComponentError& error) {
    throw ELayoutReadError(tree.Line, error.what());
  }
  reader.ReadObject(root, tree);
  reader.ResolveFixups();
  for (TComponent* component : reader.Loading) component->Loaded();
}

void TLayoutReader::ReadObject(TComponent& component, const TLayoutObject& object) {
  component.SetLoading(true);
  Loading.push_back(&component);
  for (const TLayoutProperty& property : object.Properties) ReadProperty(component, property);
  for (const TLayoutObject& child : object.Children) {
    const TClassInfo* info = ClassRegistry::Find(child.ClassName);
    if (!info) throw ELayoutReadError(child.Line, "unknown class " + child.ClassName);
    if (!info->Factory()) throw ELayoutReadError(child.Line, "class " + child.ClassName + " is not a component");
    TComponent* created = info->Factory()(Root_);
    Created.push_back(created);
    try {
      created->SetName(child.Name);
    } catch (const EComponentError& error) {
      throw ELayoutReadError(child.Line, error.what());
    }
    created->SetParentComponent(&component);
    ReadObject(*created, child);
  }
}

void TLayoutReader::ReadProperty(TPersistent& object, const TLayoutProperty& property) {
  const std::vector<TFrame> outer = std::move(Frames);
  const int outerLine = PropertyLine;
  Frames = {{&property.Value, 0}};
  PropertyLine = property.Line;

  const std::vector<std::string> path = SplitPath(property.Name);
  TPersistent* target = &object;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    const auto* sub = dynamic_cast<const TObjectPropertyInfo*>(target->ClassInfo().FindProperty(path[i]));
    if (!sub || sub->Kind() != TPropertyKind::Object) Error(target->ClassName() + " has no sub-object " + path[i]);
    target = sub->Object(*target);
    if (!target) Error(path[i] + " holds no object");
  }
  if (const TPropertyInfo* info = target->ClassInfo().FindProperty(path.back())) {
    info->Read(*target, *this);
  } else {
    ExtraName = path.back();
    ExtraHandled = false;
    target->DefineProperties(*this);
    if (!ExtraHandled) Error("unknown property " + property.Name + " of " + object.ClassName());
  }
  if (Frames.size() != 1 || !EndOfList()) Error("value of " + property.Name + " not fully read");
  Frames = outer;
  PropertyLine = outerLine;
}

void TLayoutReader::DefineProperty(const std::string& name, const std::function<void(TLayoutReader&)>& read,
                                   const std::function<void(TLayoutWriter&)>&, bool) {
  if (ExtraHandled || name != ExtraName) return;
  ExtraHandled = true;
  read(*this);
}

void TLayoutReader::Error(const std::string& problem) const {
  const TFrame& frame = Frames.back();
  const int line = frame.Index < frame.Values->size() ? (*frame.Values)[frame.Index].Line : PropertyLine;
  throw ELayoutReadError(line, problem);
}

const TLayoutValue& TLayoutReader::Current() const {
  if (EndOfList()) Error("a value is missing");
  const TFrame& frame = Frames.back();
  return (*frame.Values)[frame.Index];
}

const TLayoutValue& TLayoutReader::Take(TValueKind kind) {
  const TLayoutValue& value = Current();
  if (value.Kind != kind)
    Error(std::string("expected ") + ValueKindName(kind) + ", found " + ValueKindName(value.Kind));
  ++Frames.back().Index;
  return value;
}

TValueKind TLayoutReader::NextValue() const { return Current().Kind; }

bool TLayoutReader::EndOfList() const {
  const TFrame& frame = Frames.back();
  return frame.Index >= frame.Values->size();
}

int64_t TLayoutReader::ReadInteger(int64_t minimum, int64_t maximum) {
  const int64_t value = Current().Kind == TValueKind::Integer ? Current().Integer : 0;
  if (value < minimum || value > maximum) Error("integer " + std::to_string(value) + " out of range");
  return Take(TValueKind::Integer).Integer;
}

double TLayoutReader::ReadFloat() {
  if (NextValue() == TValueKind::Integer) return static_cast<double>(Take(TValueKind::Integer).Integer);
  if (NextValue() == TValueKind::Identifier) {
    // Values that have no number form are written as names.
    const std::string& name = Current().Text;
    const double special = name == "NaN" ? NAN : name == "Inf" ? INFINITY : name == "NegInf" ? -INFINITY : 0;
    if (special != 0 || std::isnan(special)) {
      ++Frames.back().Index;
      return special;
    }
  }
  return Take(TValueKind::Float).Float;
}

std::string TLayoutReader::ReadString() { return Take(TValueKind::String).Text; }

std::string TLayoutReader::ReadIdent() { return Take(TValueKind::Identifier).Text; }

bool TLayoutReader::ReadBoolean() {
  const std::string& name = Current().Kind == TValueKind::Identifier ? Current().Text : std::string();
  if (name != "True" && name != "False") Error("expected True or False");
  return ReadIdent() == "True";
}

std::vector<std::string> TLayoutReader::ReadSet() { return Take(TValueKind::Set).Names; }

std::vector<uint8_t> TLayoutReader::ReadBinary() { return Take(TValueKind::Binary).Bytes; }

void TLayoutReader::ReadListBegin() {
  const TLayoutValue& list = Take(TValueKind::List);
  Frames.push_back({&list.Items, 0});
}

void TLayoutReader::ReadListEnd() {
  if (Frames.size() < 2) Error("no list to end");
  if (!EndOfList()) Error("too many values in a list");
  Frames.pop_back();
}

void TLayoutReader::SkipValue() {
  Current();
  ++Frames.back().Index;
}

void TLayoutReader::ReadCollection(TCollection& collection) {
  const TLayoutValue& value = Take(TValueKind::Collection);
  collection.Clear();
  for (const TLayoutCollectionItem& item : value.Collection) {
    TCollectionItem& added = collection.Add();
    for (const TLayoutProperty& property : item.Properties) ReadProperty(added, property);
  }
}

void TLayoutReader::AddFixup(const std::string& name, std::function<bool(TComponent*)> apply) {
  Fixups.push_back({name, PropertyLine, std::move(apply)});
}

std::any TLayoutReader::BindMethod(const std::string& name, std::type_index eventType) const {
  const TMethodInfo* method = Root_->ClassInfo().FindMethod(name);
  if (!method) Error(Root_->ClassName() + " has no method " + name);
  if (method->EventType != eventType) Error("method " + name + " does not fit the event");
  return method->Bind(*Root_);
}

void TLayoutReader::ResolveFixups() {
  for (const TFixup& fixup : Fixups) {
    TComponent* component = Root_->FindComponent(fixup.Name);
    if (!component) throw ELayoutReadError(fixup.Line, "unknown component " + fixup.Name);
    if (!fixup.Apply(component)) throw ELayoutReadError(fixup.Line, fixup.Name + " does not fit the property");
  }
}
