#include "pins/LkLinkRefs.h"
#include "pins/LkPins.h"
#include "pins/LkWatchers.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"
#include "platform/Published.h"

#include <algorithm>
#include <mutex>

namespace {

// The groups made at design time and those made at run time; names are unique within each.
std::vector<TLkStateDispatcher*>& Groups(bool designing) {
  static std::vector<TLkStateDispatcher*> design;
  static std::vector<TLkStateDispatcher*> runtime;
  return designing ? design : runtime;
}

TLkStateDispatcher* FindGroup(const std::string& name, bool designing) {
  for (TLkStateDispatcher* group : Groups(designing))
    if (group->Name() == name) return group;
  return nullptr;
}

TComponent* RootOf(TLkBasicPin* pin) { return pin ? pin->GetRoot() : nullptr; }

}  // namespace

// The group --------------------------------------------------------------------------------

const TClassInfo& TLkStateDispatcher::StaticClassInfo() {
  return DefineClass<TLkStateDispatcher, TLkPinObject>("TLkStateDispatcher", [](TPublished<TLkStateDispatcher>& p) {
    p.String("Name", &TLkStateDispatcher::Name, [](TLkStateDispatcher&, const std::string&) {});
  });
}

TLkStateDispatcher::TLkStateDispatcher(std::string name, bool designing)
    : Name_(std::move(name)), Designing_(designing) {}

TLkStateDispatcher* TLkStateDispatcher::CreateNamed(const std::string& name, bool designing) {
  TLkStateDispatcher* group;
  {
    std::lock_guard lock(LkPinRegistry::Lock());
    group = new TLkStateDispatcher(name, designing);
    Groups(designing).push_back(group);
  }
  LkWatchers::Tell([group](ILkWatcher& watcher) { watcher.StateGroupCreated(group); });
  return group;
}

TLkStateDispatcher* TLkStateDispatcher::Create(TComponent* root, bool designing) {
  const std::string prefix = (root ? root->Name() : std::string()) + "Link";
  std::string name;
  {
    std::lock_guard lock(LkPinRegistry::Lock());
    for (int n = 1;; ++n) {
      name = prefix + std::to_string(n);
      if (!FindGroup(name, designing)) break;
    }
  }
  return CreateNamed(name, designing);
}

TLkStateDispatcher* TLkStateDispatcher::FindOrCreateNamed(const std::string& name, bool designing, bool& created) {
  TLkStateDispatcher* group = Find(name, designing);
  created = !group;
  return group ? group : CreateNamed(name, designing);
}

TLkStateDispatcher* TLkStateDispatcher::Find(const std::string& name, bool designing) {
  std::lock_guard lock(LkPinRegistry::Lock());
  return FindGroup(name, designing);
}

TLkStateDispatcher::~TLkStateDispatcher() {
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.StateGroupDestroying(this, false); });
  std::lock_guard lock(LkPinRegistry::Lock());
  std::erase(Groups(Designing_), this);
}

int TLkStateDispatcher::GetMemberCount() {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return static_cast<int>(Members_.size());
}

std::optional<std::vector<TLkStateDispatcher::TMember>> TLkStateDispatcher::MembersUnlessStopped() {
  const TLkLockSection read = ReadLock();
  if (!read) return std::nullopt;
  return Members_;
}

std::vector<TLkStateDispatcher::TMember> TLkStateDispatcher::Members() {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return Members_;
}

TLkBasicPin* TLkStateDispatcher::GetMember(int index) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return index >= 0 && index < static_cast<int>(Members_.size()) ? Members_[static_cast<size_t>(index)].Member
                                                                 : nullptr;
}

TLkBasicPin* TLkStateDispatcher::GetConnectionPin(int index) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return index >= 0 && index < static_cast<int>(Members_.size()) ? Members_[static_cast<size_t>(index)].Connection
                                                                 : nullptr;
}

TLkBasicPin* TLkStateDispatcher::GetMemberAfterPin(int index) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return index >= 0 && index < static_cast<int>(Members_.size()) ? Members_[static_cast<size_t>(index)].AfterPin
                                                                 : nullptr;
}

bool TLkStateDispatcher::AddMemberAfter(TLkBasicPin* connection, TLkBasicPin* member, TLkBasicPin* afterPin) {
  {
    const TLkLockSection write = WriteLock();
    if (!write) return false;
    Members_.push_back({connection, member, afterPin});
    connection->SetDispatcher(this);
    member->SetDispatcher(this);
  }
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.StateGroupChanged(this); });
  return true;
}

void TLkStateDispatcher::FreeIfEmpty() {
  if (GetMemberCount() == 0) delete this;
}

int TLkStateDispatcher::RemoveMember(TLkBasicPin* member) {
  int left;
  std::unique_ptr<TLkFormatConverter, TComponentDeleter> converter;
  {
    // Not refused: a pin leaves its group when it goes.
    const TLkLockSection write = WaitingLock();
    const auto found =
        std::find_if(Members_.begin(), Members_.end(), [member](const TMember& m) { return m.Member == member; });
    if (found == Members_.end()) return static_cast<int>(Members_.size());
    found->Connection->SetDispatcher(nullptr);
    found->Member->SetDispatcher(nullptr);
    // A converter that reached only this member goes with it.
    for (auto kept = Converters_.begin(); kept != Converters_.end(); ++kept)
      if (&kept->Converter->Input() == found->Connection) {
        converter = std::move(kept->Converter);
        Converters_.erase(kept);
        break;
      }
    for (TMember& other : Members_)
      if (other.AfterPin == member) other.AfterPin = nullptr;
    Members_.erase(found);
    left = static_cast<int>(Members_.size());
  }
  converter.reset();
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.StateGroupChanged(this); });
  if (left == 0) delete this;
  return left;
}

TLkFormatConverter* TLkStateDispatcher::ConverterOf(TLkBasicPin* member) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  for (const TMember& m : Members_)
    if (m.Member == member && m.Connection != member)
      for (const TKept& kept : Converters_)
        if (&kept.Converter->Input() == m.Connection) return kept.Converter.get();
  return nullptr;
}

void TLkStateDispatcher::KeepConverter(std::unique_ptr<TLkFormatConverter, TComponentDeleter> converter,
                                       const TGUID& from, const TGUID& to) {
  const TLkLockSection write = WaitingLock();  // not refused: the converter's member has joined
  Converters_.push_back({std::move(converter), from, to});
}

int TLkStateDispatcher::ConverterCount() {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return static_cast<int>(Converters_.size());
}

std::vector<TLkFormatConverter*> TLkStateDispatcher::Converters() {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  std::vector<TLkFormatConverter*> converters;
  for (const TKept& kept : Converters_) converters.push_back(kept.Converter.get());
  return converters;
}

std::pair<TGUID, TGUID> TLkStateDispatcher::ConverterTypes(const TLkFormatConverter* converter) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  for (const TKept& kept : Converters_)
    if (kept.Converter.get() == converter) return {kept.From, kept.To};
  return {};
}

void TLkStateDispatcher::PinDestroying(TLkBasicPin* pin) {
  const TLkLockSection write = WaitingLock();  // not refused: no member may name a pin that goes
  for (TMember& m : Members_)
    if (m.AfterPin == pin) m.AfterPin = nullptr;
}

void TLkStateDispatcher::PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin) {
  const TLkLockSection write = WaitingLock();  // not refused: the old pin goes next
  for (TMember& m : Members_)
    if (m.AfterPin == oldPin) m.AfterPin = newPin;
}

// Joining and leaving ------------------------------------------------------------------------

TGUID TLkBasicPin::FindStateType(TLkBasicPin*, TLkFormatConverterClass*, TLkFormatConverter**) { return {}; }

TGUID TLkPin::FindStateType(TLkBasicPin* peer, TLkFormatConverterClass* converter, TLkFormatConverter** existing) {
  const std::vector<TLkTypeEntry>& offered = Types();
  for (auto it = offered.rbegin(); it != offered.rend(); ++it)
    if (peer->QueryPeerInterface(it->Type)) return it->Type;
  if (!converter || !dynamic_cast<TLkSinkPin*>(peer)) return {};
  if (TLkStateDispatcher* group = Dispatcher()) {
    const std::vector<TLkFormatConverter*> converters = group->Converters();
    for (auto it = converters.rbegin(); it != converters.rend(); ++it) {
      TLkFormatConverter* each = *it;
      if (each->Output().FindLinkType(peer, false, false).Type.IsNull()) continue;
      for (auto type = offered.rbegin(); type != offered.rend(); ++type)
        if (each->Input().QueryPeerInterface(type->Type)) {
          if (existing) *existing = each;
          return type->Type;
        }
    }
  }
  TGUID result;
  ForEachFormatConverterFromLast([&](const TGUID& from, const TGUID& to, TLkFormatConverterClass converterClass) {
    for (auto it = offered.rbegin(); it != offered.rend(); ++it)
      if (it->Type == from && peer->QueryPeerInterface(to)) {
        result = from;
        *converter = converterClass;
        return true;
      }
    return false;
  });
  return result;
}

bool TLkBasicPin::CanJoinGroup(TLkStateDispatcher* group) {
  const bool sink = GetKind() == TLkPinKind::Sink;
  const std::optional<std::vector<TLkStateDispatcher::TMember>> members = group->MembersUnlessStopped();
  if (!members) return false;  // a stop is pending on the group: joining it is refused
  for (const TLkStateDispatcher::TMember& member : *members) {
    if (member.Member == this || (sink && member.Member->GetKind() == TLkPinKind::Sink)) continue;
    if (!member.Member->CanLinkTo(this)) return false;
  }
  return true;
}

bool TLkBasicPin::JoinGroupAfter(TLkStateDispatcher* group, TLkBasicPin* afterPin) {
  if (!group) return false;
  if (Dispatcher_ == group) return true;
  if (Dispatcher_) LeaveGroup();
  if (!CanJoinGroup(group)) return false;
  BeforeJoinGroup();
  if (!group->AddMemberAfter(this, this, afterPin)) return false;
  LkWatchers::Tell([this, group](ILkWatcher& watcher) {
    watcher.PinLinked(this, group);
    watcher.PinChanged(this);
  });
  return true;
}

bool TLkBasicPin::JoinStateAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) {
  if (!pin || pin == this || IsGroupedWith(pin) || !CanLinkTo(pin)) return IsGroupedWith(pin);
  TLkBasicPin* changed = pin;
  if (TLkStateDispatcher* group = Dispatcher_) {
    TLkFormatConverterClass converterClass = nullptr;
    TLkFormatConverter* existing = nullptr;
    const TGUID type = FindStateType(pin, &converterClass, &existing);
    auto* sink = dynamic_cast<TLkSinkPin*>(pin);
    if (sink && !pin->QueryPeerInterface(type) && (converterClass || existing)) {
      // The sink is reached through a converter that the group keeps: its input is the member's
      // connection, its output feeds the sink.
      std::unique_ptr<TLkFormatConverter, TComponentDeleter> made;
      TGUID to;
      if (!existing) {
        made.reset(converterClass());
        ForEachFormatConverterFromLast([&](const TGUID& from, const TGUID& candidate, TLkFormatConverterClass c) {
          if (c != converterClass || from != type) return false;
          to = candidate;
          return true;
        });
      }
      TLkFormatConverter& converter = existing ? *existing : *made;
      if (!sink->JoinGroupThrough(*group, converter, std::move(made), type, to, afterPin)) return false;
    } else if (!pin->JoinGroupAfter(group, afterPin)) {
      return false;
    }
  } else if (TLkStateDispatcher* theirs = pin->Dispatcher_) {
    if (!JoinGroupAfter(theirs, nullptr)) return false;
    changed = this;
  } else {
    TLkStateDispatcher* created = TLkStateDispatcher::Create(GetRoot(), IsDesigning());
    if (!JoinGroup(created)) {
      created->FreeIfEmpty();
      return false;
    }
    if (!pin->JoinGroupAfter(created, afterPin)) {
      LeaveGroup();
      return false;
    }
  }
  changed->LinksChanged();
  return true;
}

bool TLkBasicPin::JoinStateByName(const std::string& name) {
  bool created = false;
  TLkStateDispatcher* group = TLkStateDispatcher::FindOrCreateNamed(name, IsDesigning(), created);
  if (!JoinGroup(group)) {
    if (created) group->FreeIfEmpty();
    return false;
  }
  LinksChanged();
  return true;
}

bool TLkSinkPin::JoinGroupThrough(TLkStateDispatcher& group, TLkFormatConverter& converter,
                                  std::unique_ptr<TLkFormatConverter, TComponentDeleter> made, const TGUID& from,
                                  const TGUID& to, TLkBasicPin* afterPin) {
  LeaveGroup();
  DropLink();
  LinkFrom(converter.Output());
  if (!group.AddMemberAfter(&converter.Input(), this, afterPin)) {
    DropLink();  // a converter made for the sink goes with `made`
    return false;
  }
  if (made) group.KeepConverter(std::move(made), from, to);
  return true;
}

void TLkBasicPin::LeaveGroup() {
  TLkStateDispatcher* group = Dispatcher_;
  if (!group) return;
  LkWatchers::Tell([this, group](ILkWatcher& watcher) { watcher.PinUnlinked(this, group); });
  // A member reached through a converter is fed by it: that link goes with the membership.
  if (auto* sink = dynamic_cast<TLkSinkPin*>(this); sink && group->ConverterOf(this)) sink->DropLink();
  const int left = group->RemoveMember(this);
  if (left == 1) {
    // A group of one is no group: the last member leaves too, and the group frees itself.
    if (TLkBasicPin* last = group->GetMember(0)) last->LeaveGroup();
  }
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.PinChanged(this); });
}

uint8_t TLkBasicPin::SendToGroup(TLkNotifyOperation& operation, uint8_t flags, TLkBasicPin* onlyPin) {
  TLkStateDispatcher* group = Dispatcher_;
  if (!group) return 0;
  const std::optional<std::vector<TLkStateDispatcher::TMember>> stopped = group->MembersUnlessStopped();
  if (!stopped) return 0;  // a stop is pending on the group: nothing is sent
  const std::vector<TLkStateDispatcher::TMember>& members = *stopped;
  const size_t count = members.size();
  for (size_t i = 0; i < count; ++i) {
    const TLkStateDispatcher::TMember& member = members[i];
    if ((onlyPin && member.Member != onlyPin) || member.Member == this) continue;
    uint8_t memberFlags = flags;
    if (onlyPin || i + 1 == count || (i + 2 == count && members[count - 1].Member == this)) memberFlags |= lkLast;
    const TGUID type = FindStateType(member.Connection);
    auto* self = dynamic_cast<TLkPin*>(this);
    const TLkHandler handler = self ? self->HandlerFor(type) : TLkHandler{};
    if (!handler) continue;
    TLkDestroySection using_ = DestroyLock().Enter();
    if (!using_) continue;
    handler(member.Connection, type, memberFlags, operation);
  }
  return 0;
}

void TLkBasicPin::ResyncGroup() {
  TLkStateDispatcher* group = Dispatcher_;
  if (!group) return;
  auto tell = [this](TLkBasicPin* holder) {
    const TRef<TLkNotifyOperation> notice = MakeRef<TLkNotifyOperation>();
    holder->SendToGroup(*notice, lkNotice, holder == this ? nullptr : this);
  };
  if (GetKind() == TLkPinKind::Source) return tell(this);
  const std::optional<std::vector<TLkStateDispatcher::TMember>> stopped = group->MembersUnlessStopped();
  if (!stopped) return;  // a stop is pending on the group: the notices are sends, refused as well
  const std::vector<TLkStateDispatcher::TMember>& members = *stopped;
  const auto source = std::find_if(members.begin(), members.end(),
                                   [](const auto& m) { return m.Member->GetKind() == TLkPinKind::Source; });
  if (source != members.end()) return tell(source->Member);
  for (const TLkStateDispatcher::TMember& member : members)
    if (member.Member->GetKind() != TLkPinKind::Sink) tell(member.Member);
}

// The state pin ---------------------------------------------------------------------------

const TClassInfo& TLkStatePin::StaticClassInfo() { return DefineClass<TLkStatePin, TLkPin>("TLkStatePin"); }

TLkStatePin::TLkStatePin(TComponent* owner, ILkLock* componentLock) : TLkPin(owner, componentLock, nullptr) {}

TLkStatePin::~TLkStatePin() { BeforeDestruction(); }

bool TLkStatePin::ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) {
  if (!pin) {
    LeaveGroup();
    return true;
  }
  if (pin->IsPlaceholder()) return CanLinkTo(pin) && pin->ConnectAfter(this, afterPin);
  return JoinStateAfter(pin, afterPin);
}

bool TLkStatePin::CanLinkTo(TLkBasicPin* peer) {
  if (!peer || peer == this || !ModesAllowLink(*this, *peer)) return false;
  if (peer->IsPlaceholder()) return true;
  TLkFormatConverterClass converter = nullptr;
  return !FindStateType(peer, &converter).IsNull() || !peer->FindStateType(this).IsNull();
}

TGUID TLkStatePin::GetCurrentType() {
  TLkStateDispatcher* group = Dispatcher();
  if (!group) return {};
  for (const TLkStateDispatcher::TMember& member : group->Members())
    if (member.Member != this) return FindStateType(member.Connection);
  return {};
}

// The layout properties State and StateConverter --------------------------------------------

bool TLkBasicPin::StoresState() {
  return Dispatcher_ && !(GetKind() == TLkPinKind::Sink && Dispatcher_->ConverterOf(this));
}

bool TLkBasicPin::StoresStateConverter() {
  return Dispatcher_ && GetKind() == TLkPinKind::Sink && Dispatcher_->ConverterOf(this);
}

void TLkBasicPin::ReadState(TLayoutReader& reader) { JoinStateAsStored(ReadStateValue(reader)); }

void TLkBasicPin::WriteState(TLayoutWriter& writer) {
  TLkStateDispatcher* group = Dispatcher_;
  const std::vector<TLkStateDispatcher::TMember> members = group->Members();
  TComponent* root = GetRoot();
  std::vector<TLkBasicPin*> others;
  for (const auto& member : members)
    if (RootOf(member.Member) != root) others.push_back(member.Member);
  auto& saved = group->SavedRoots;
  if (others.empty() || std::find(saved.begin(), saved.end(), root) != saved.end()) {
    writer.WriteString(group->Name());
  } else {
    // The first member written under each root names the members under the others.
    saved.push_back(root);
    writer.WriteListBegin();
    writer.WriteString(group->Name());
    for (TLkBasicPin* other : others) WriteSinkRef(writer, *other, nullptr);
    writer.WriteListEnd();
  }
  if (++group->SavedCount >= static_cast<int>(members.size())) {
    saved.clear();
    group->SavedCount = 0;
  }
}

void TLkBasicPin::ReadStateConverter(TLayoutReader& reader) {
  auto* sink = dynamic_cast<TLkSinkPin*>(this);
  if (!sink) reader.Error("only a sink is reached through a converter");
  reader.ReadListBegin();
  const std::string name = ReadStateValue(reader);
  TGUID from, to;
  try {
    from = TGUID::Parse(reader.ReadString());
    to = TGUID::Parse(reader.ReadString());
  } catch (const std::invalid_argument&) {
    reader.Error("expected a type GUID");
  }
  reader.ReadListEnd();
  const TLkFormatConverterClass converterClass = FindFormatConverter(from, to);
  if (!converterClass) return;  // no such converter registered: the sink stays out of the group
  bool created = false;
  TLkStateDispatcher* group = TLkStateDispatcher::FindOrCreateNamed(name, IsDesigning(), created);
  std::unique_ptr<TLkFormatConverter, TComponentDeleter> made(converterClass());
  TLkFormatConverter& converter = *made;
  if (!sink->JoinGroupThrough(*group, converter, std::move(made), from, to, nullptr)) {
    if (created) group->FreeIfEmpty();  // refused under a pending stop, like a join by name
    return;
  }
  LinksChanged();
}

void TLkBasicPin::WriteStateConverter(TLayoutWriter& writer) {
  TLkStateDispatcher* group = Dispatcher_;
  const auto [from, to] = group->ConverterTypes(group->ConverterOf(this));
  writer.WriteListBegin();
  WriteState(writer);
  writer.WriteString(from.ToString());
  writer.WriteString(to.ToString());
  writer.WriteListEnd();
}
