#include "pins/LkLinkRefs.h"
#include "pins/LkPins.h"
#include "pins/LkWatchers.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"
#include "platform/Published.h"

#include <algorithm>
#include <set>

namespace {

// The property path of `list` in its owner: the published object-valued properties searched depth
// first, sub-objects once each.
bool FindListPath(const TPersistent& object, const TLkPinList& list, const std::string& prefix,
                  std::set<const TPersistent*>& seen, std::string& path) {
  bool found = false;
  object.ClassInfo().ForEachProperty([&](const TPropertyInfo& property) {
    if (found || property.Kind() != TPropertyKind::Object) return;
    TPersistent* value = static_cast<const TObjectPropertyInfo&>(property).Object(object);
    if (value == &list) {
      path = prefix + property.Name();
      found = true;
    } else if (value && !dynamic_cast<TComponent*>(value) && !dynamic_cast<TLkPinList*>(value) &&
               seen.insert(value).second) {
      found = FindListPath(*value, list, prefix + property.Name() + ".", seen, path);
    }
  });
  return found;
}

std::string ListPath(const TLkPinList& list) {
  if (!list.Owner()) return {};
  std::set<const TPersistent*> seen;
  std::string path;
  FindListPath(*list.Owner(), list, "", seen, path);
  return path;
}

std::string RootName(const TComponent* owner) {
  return owner ? const_cast<TComponent*>(owner)->Root()->Name() : std::string();
}

}  // namespace

const TClassInfo& TLkPinList::StaticClassInfo() {
  return DefineClass<TLkPinList, TLkObject>("TLkPinList", [](TPublished<TLkPinList>& p) {
    // Always stored: the number of pins comes before their links.
    p.Integer(
        "Count", [](const TLkPinList& list) { return const_cast<TLkPinList&>(list).GetCount(); },
        &TLkPinList::SetCount);
  });
}

TLkPinList::TLkPinList(TComponent* owner, bool ownsPins, ILkLock* componentLock)
    : TLkObject(componentLock), Owner_(owner), OwnsPins_(ownsPins) {
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.PinListCreated(this); });
}

TLkPinList::~TLkPinList() {
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.PinListDestroying(this); });
  Clear();
}

void TLkPinList::Changed() {
  LastIndicatedCount_ = -1;
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.PinListChanged(this); });
}

void TLkPinList::PurgePlaceholders() {
  if (PlaceholderCount == 0 || Busy || !Owner_ || Owner_->IsDesigning() || Owner_->IsLoading()) return;
  Busy = true;
  for (int i = EntryCount() - 1; i >= 0 && PlaceholderCount > 0; --i)
    if (EntryPin(i)->IsPlaceholder()) Delete(i);
  Busy = false;
}

int TLkPinList::GetCount() {
  PurgePlaceholders();
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return EntryCount() - PlaceholderCount;
}

void TLkPinList::SetCount(int) {}

TLkBasicPin* TLkPinList::GetPin(int index) {
  PurgePlaceholders();
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  if (index < 0 || index >= EntryCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return EntryPin(index);
}

std::string TLkPinList::GetPinName(int index) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  if (index >= 0 && index < EntryCount() && !Entries[static_cast<size_t>(index)].Name.empty())
    return Entries[static_cast<size_t>(index)].Name;
  return DefaultName(index);
}

void TLkPinList::SetPinName(int index, const std::string& name) {
  TLkBasicPin* pin;
  {
    const TLkLockSection write = WriteLock();
    if (!write || index < 0 || index >= EntryCount()) return;  // refused like an index beyond the pins
    const std::string stored = name == DefaultName(index) ? std::string() : name;
    TEntry& entry = Entries[static_cast<size_t>(index)];
    if (entry.Name == stored) return;
    entry.Name = stored;
    pin = entry.Pin;
    LastIndicatedCount_ = -1;
  }
  LkWatchers::Tell([pin](ILkWatcher& watcher) { watcher.PinChanged(pin); });
}

int TLkPinList::IndexOf(TLkBasicPin* pin) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  const auto found = std::find_if(Entries.begin(), Entries.end(), [pin](const TEntry& e) { return e.Pin == pin; });
  return found == Entries.end() ? -1 : static_cast<int>(found - Entries.begin());
}

void TLkPinList::Add(TLkBasicPin* pin) {
  AddNamed(pin, {});
  LkWatchers::Tell([pin](ILkWatcher& watcher) { watcher.PinChanged(pin); });
}

void TLkPinList::AddNamed(TLkBasicPin* pin, const std::string& name) {
  if (!pin) return;
  const TLkLockSection write = WaitingLock();  // not refused: the pin handed over would be lost
  if (pin->IsPlaceholder()) {
    static_cast<TLkUnloadedPin*>(pin)->SetPending(true);
    ++PlaceholderCount;
    Entries.push_back({name, pin});
  } else if (PlaceholderCount > 0) {
    // The first placeholder's place, so that the pin gets the index its links were stored under.
    const auto slot =
        std::find_if(Entries.begin(), Entries.end(), [](const TEntry& e) { return e.Pin->IsPlaceholder(); });
    auto* placeholder = static_cast<TLkUnloadedPin*>(slot->Pin);
    *slot = {name, pin};
    --PlaceholderCount;
    placeholder->SetPending(false);
    LkPlaceholders::ResolveOnto(placeholder, *pin);
  } else {
    Entries.push_back({name, pin});
  }
  if (pin->GetOwner() && pin->GetOwner() == Owner_) {
    pin->SetOwningList(this);
    LkWatchers::Tell([pin](ILkWatcher& watcher) { watcher.PinChanged(pin); });
  }
  Changed();
  const int last = EntryCount() - 1;
  LkWatchers::Tell([this, pin, last](ILkWatcher& watcher) { watcher.PinAdded(this, pin, last); });
}

void TLkPinList::RemoveEntry(int index) {
  TLkBasicPin* pin = EntryPin(index);
  Entries.erase(Entries.begin() + index);
  if (pin->IsPlaceholder()) {
    auto* placeholder = static_cast<TLkUnloadedPin*>(pin);
    --PlaceholderCount;
    placeholder->SetPending(false);
    LkPlaceholders::Free(placeholder);
  } else if (OwnsPins_) {
    TLkBasicPin::Free(pin);
  } else {
    if (pin->OwningList() == this) pin->SetOwningList(nullptr);
    LkWatchers::Tell([pin](ILkWatcher& watcher) { watcher.PinChanged(pin); });
  }
}

void TLkPinList::Delete(int index) {
  const TLkLockSection write = WaitingLock();  // not refused: lists empty themselves when they go
  if (index < 0 || index >= EntryCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  // The watchers hear of the pin while it still exists; then it leaves the list, then it goes.
  TLkBasicPin* pin = EntryPin(index);
  LkWatchers::Tell([this, pin, index](ILkWatcher& watcher) { watcher.PinRemoved(this, pin, index); });
  RemoveEntry(index);
  Changed();
}

void TLkPinList::Remove(TLkBasicPin* pin) {
  const TLkLockSection write = WaitingLock();  // not refused, as Delete
  for (int i = EntryCount() - 1; i >= 0; --i)
    if (EntryPin(i) == pin) Delete(i);
}

void TLkPinList::Exchange(int first, int second) {
  const TLkLockSection write = WriteLock();
  if (!write) return;  // refused under a pending stop: the order stays
  if (first < 0 || second < 0 || first >= EntryCount() || second >= EntryCount())
    throw EListError("List index out of bounds (" + std::to_string(std::max(first, second)) + ")");
  TLkBasicPin* a = EntryPin(first);
  TLkBasicPin* b = EntryPin(second);
  LkWatchers::Tell([&](ILkWatcher& watcher) { watcher.PinsSwapped(this, a, first, b, second); });
  std::swap(Entries[static_cast<size_t>(first)], Entries[static_cast<size_t>(second)]);
  Changed();
}

void TLkPinList::Clear() {
  const TLkLockSection write = WaitingLock();  // not refused, as Delete
  Busy = true;
  while (EntryCount() > 0) RemoveEntry(EntryCount() - 1);
  Busy = false;
  Changed();
}

bool TLkPinList::PinsStored() {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return std::any_of(Entries.begin(), Entries.end(), [](const TEntry& e) { return e.Pin->IsLinked(); });
}

void TLkPinList::DefineProperties(TFiler& filer) {
  TLkObject::DefineProperties(filer);
  filer.DefineProperty(
      "Form", [this](TLayoutReader& reader) { LoadedRootName_ = reader.ReadIdent(); },
      // A root without a name has no name to write: an empty identifier would not read back.
      [this](TLayoutWriter& writer) { writer.WriteIdent(RootName(Owner_)); }, !RootName(Owner_).empty());
  filer.DefineProperty(
      "Pins", [this](TLayoutReader& reader) { ReadPins(reader); }, [this](TLayoutWriter& writer) { WritePins(writer); },
      PinsStored());
  // Older layouts may say whether the list owned its pins; the class says that now.
  filer.DefineProperty(
      "PinsOwner", [](TLayoutReader& reader) { reader.ReadBoolean(); }, [](TLayoutWriter&) {}, false);
}

void TLkPinList::WritePins(TLayoutWriter& writer) {
  std::vector<TLkBasicPin*> pins;
  {
    const TLkLockSection read = WaitingLock();  // a query has no refusal to report
    for (const TEntry& entry : Entries) pins.push_back(entry.Pin);
  }
  writer.WriteListBegin();
  for (TLkBasicPin* pin : pins) {
    auto* source = dynamic_cast<TLkSourcePin*>(pin);
    if (pin->IsStateLinked()) {
      // State (value [Sinks (sinks)]): a sink in a group stores no source of its own.
      writer.WriteIdent("State");
      writer.WriteListBegin();
      pin->WriteState(writer);
      if (source && source->GetSinkCount() > 0) {
        writer.WriteIdent("Sinks");
        source->WriteLinks(writer);
      }
      writer.WriteListEnd();
    } else if (auto* sink = dynamic_cast<TLkSinkPin*>(pin); sink && sink->GetSource()) {
      sink->WriteLinks(writer);
    } else if (source && source->GetSinkCount() > 0) {
      writer.WriteIdent("Sinks");
      source->WriteLinks(writer);
    } else {
      writer.WriteIdent("nil");
    }
  }
  writer.WriteListEnd();
}

void TLkPinList::ReadPins(TLayoutReader& reader) {
  reader.ReadListBegin();
  for (int index = 0; !reader.EndOfList(); ++index) {
    if (reader.NextValue() == TValueKind::List) {
      const TLkPathRef ref = ReadSourceRef(reader);
      LinkItem(index, TLkPinKind::Sink, ref, TLkPinKind::Source, reader);
      continue;
    }
    const std::string word = reader.ReadIdent();
    if (word == "nil") continue;
    if (word == "Sinks") {
      reader.ReadListBegin();
      while (!reader.EndOfList()) LinkItem(index, TLkPinKind::Source, ReadSinkRef(reader), TLkPinKind::Sink, reader);
      reader.ReadListEnd();
    } else if (word == "State") {
      reader.ReadListBegin();
      const std::string group = ReadStateValue(reader);
      TLkBasicPin* pin = EnsureEntry(index, TLkPinKind::State, reader.Root());
      if (pin->IsPlaceholder()) static_cast<TLkUnloadedPin*>(pin)->SetPendingGroup(group);
      else pin->JoinStateAsStored(group);
      if (!reader.EndOfList()) {
        if (reader.ReadIdent() != "Sinks") reader.Error("expected Sinks");
        reader.ReadListBegin();
        while (!reader.EndOfList()) LinkItem(index, TLkPinKind::Source, ReadSinkRef(reader), TLkPinKind::Sink, reader);
        reader.ReadListEnd();
      }
      reader.ReadListEnd();
    } else {
      LinkItem(index, TLkPinKind::Sink, {word, word, {}}, TLkPinKind::Source, reader);
    }
  }
  reader.ReadListEnd();
}

void TLkPinList::LinkItem(int index, TLkPinKind ownKind, const TLkPathRef& ref, TLkPinKind peerKind,
                          TLayoutReader& reader) {
  EnsureEntry(index, ownKind, reader.Root());
  const TLkResolvedRef link =
      ResolveRef(reader.Root(), ref, peerKind, [this](const std::string& path) { return Reroot(path); });
  EntryPin(index)->ConnectAsStored(link.Peer, link.AfterPin);
}

std::string TLkPinList::Reroot(const std::string& path) const {
  return LkPaths::ReplaceRoot(path, LoadedRootName_, RootName(Owner_));
}

TLkBasicPin* TLkPinList::EnsureEntry(int index, TLkPinKind kind, TComponent* root) {
  if (index < EntryCount()) {
    ResolvePinPlaceholders(EntryPin(index));
    return EntryPin(index);
  }
  const std::string prefix =
      LkPaths::WithRoot(RootName(Owner_), (Owner_ ? Owner_->Name() : std::string()) + "." + ListPath(*this) + "._Pin");
  while (EntryCount() <= index) {
    const std::string path = prefix + std::to_string(EntryCount());
    TLkBasicPin* pin = LkPaths::Find(root, path, path);
    AddNamed(pin ? pin : LkPlaceholders::Create(path, path, root, kind), {});
  }
  return EntryPin(index);
}

void TLkPinList::ResolvePinPlaceholders(TLkBasicPin* pin) {
  if (!pin || pin->IsPlaceholder()) return;
  const std::string ident = pin->GetIdentPath(false);
  const std::string display = pin->GetDisplayPath(false);
  for (TLkUnloadedPin* placeholder : LkPlaceholders::All()) {
    if (placeholder->GetIdentPath(false) != ident && placeholder->GetDisplayPath(false) != display) continue;
    LkPlaceholders::ResolveOnto(placeholder, *pin);
    return;
  }
}

const TClassInfo& TLkPinListOwner::StaticClassInfo() {
  return DefineClass<TLkPinListOwner, TLkPinList>("TLkPinListOwner");
}

TLkPinListOwner::TLkPinListOwner(TComponent* owner, ILkLock* componentLock, int minimum, int maximum, TCreatePin create,
                                 TDestroyPin destroy)
    : TLkPinList(owner, true, componentLock),
      Create(std::move(create)),
      Destroy(std::move(destroy)),
      Minimum_(std::max(minimum, 0)),
      Maximum_(maximum) {
  SetCount(Minimum_);
}

TLkPinListOwner::~TLkPinListOwner() {
  Minimum_ = 0;
  SetCount(0);
}

void TLkPinListOwner::SetCount(int count) {
  const TLkLockSection write = WaitingLock();  // not refused: the list's destructor empties it this way
  count = std::min(std::max(count, Minimum_), Maximum_);
  while (GetCount() > count) {
    TLkBasicPin* last = GetPin(GetCount() - 1);
    if (Destroy) Destroy(*this, last);
    Remove(last);
  }
  while (Create && GetCount() < count) {
    TLkBasicPin* pin = Create(*this);
    if (!pin) break;  // a callback that makes no pin ends the growth
    Add(pin);
  }
}

void TLkPinListOwner::ReadPins(TLayoutReader& reader) {
  // Links `pin` (a sink to its source, a source to one sink) as a reference names it.
  auto link = [&](TLkBasicPin* pin, const TLkPathRef& ref) {
    if (!pin) return;
    const bool source = dynamic_cast<TLkSourcePin*>(pin) != nullptr;
    const TLkResolvedRef resolved = ResolveRef(reader.Root(), ref, source ? TLkPinKind::Sink : TLkPinKind::Source,
                                               [this](const std::string& path) { return Reroot(path); });
    pin->ConnectAsStored(resolved.Peer, resolved.AfterPin);
  };
  reader.ReadListBegin();
  for (int used = 0; !reader.EndOfList(); ++used) {
    // The next existing pin, else a new one; items past the maximum are read and ignored.
    TLkBasicPin* pin = nullptr;
    if (used < GetCount()) {
      pin = GetPin(used);
    } else if (Create && GetCount() < Maximum_) {
      pin = Create(*this);
      if (pin) Add(pin);
    }
    ResolvePinPlaceholders(pin);
    auto* source = dynamic_cast<TLkSourcePin*>(pin);
    if (reader.NextValue() == TValueKind::List) {
      link(pin, source ? ReadSinkRef(reader) : ReadSourceRef(reader));
      continue;
    }
    const std::string word = reader.ReadIdent();
    if (word == "nil") continue;
    auto readSinks = [&] {
      reader.ReadListBegin();
      while (!reader.EndOfList()) {
        const TLkPathRef ref = ReadSinkRef(reader);
        if (source) link(source, ref);
      }
      reader.ReadListEnd();
    };
    if (word == "Sinks") {
      readSinks();
    } else if (word == "State") {
      reader.ReadListBegin();
      const std::string group = ReadStateValue(reader);
      if (pin) pin->JoinStateAsStored(group);
      if (!reader.EndOfList()) {
        if (reader.ReadIdent() != "Sinks") reader.Error("expected Sinks");
        readSinks();
      }
      reader.ReadListEnd();
    } else {
      link(pin, {word, word, {}});
    }
  }
  reader.ReadListEnd();
}
