#include "pins/LkPins.h"

#include "pins/LkWatchers.h"
#include "platform/Published.h"
#include "platform/ScopeGuards.h"

#include <algorithm>
#include <thread>

namespace {

// A connect notice may nest this deep before it counts as a pin depending on itself.
constexpr int MaxNoticeDepth = 10;

}  // namespace

const TClassInfo& TLkSourcePin::StaticClassInfo() { return DefineClass<TLkSourcePin, TLkStreamPin>("TLkSourcePin"); }

TLkSourcePin::TLkSourcePin(TComponent* owner, ILkLock* componentLock) : TLkStreamPin(owner, componentLock, nullptr) {}

TLkSourcePin::~TLkSourcePin() { BeforeDestruction(); }

int TLkSourcePin::GetSinkCount() {
  std::lock_guard guard(EntriesGuard);
  return static_cast<int>(Entries.size());
}

TLkBasicPin* TLkSourcePin::GetSink(int index) {
  std::lock_guard guard(EntriesGuard);
  return index >= 0 && index < static_cast<int>(Entries.size()) ? Entries[static_cast<size_t>(index)].Sink : nullptr;
}

TLkBasicPin* TLkSourcePin::GetLinkAfterPin(int index) {
  std::lock_guard guard(EntriesGuard);
  return index >= 0 && index < static_cast<int>(Entries.size()) ? Entries[static_cast<size_t>(index)].AfterPin
                                                                : nullptr;
}

TLkSinkEntry* TLkSourcePin::FindEntry(TLkBasicPin* sink) {
  const auto found =
      std::find_if(Entries.begin(), Entries.end(), [sink](const TLkSinkEntry& e) { return e.Sink == sink; });
  return found == Entries.end() ? nullptr : &*found;
}

bool TLkSourcePin::ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) {
  if (!pin) return true;
  if (!CanOrderAfter(pin, afterPin) || !pin->ConnectAfter(this, afterPin)) return false;
  if (IsLinkedTo(pin)) SinkLinkedFromSource(pin);
  return true;
}

bool TLkSourcePin::CanLinkTo(TLkBasicPin* peer) {
  if (!peer) return false;
  if (peer->IsPlaceholder()) return ModesAllowLink(*this, *peer);
  // Otherwise the sink decides; two sources never link.
  return peer->GetKind() != TLkPinKind::Source && peer->CanLinkTo(this);
}

bool TLkSourcePin::CanOrderAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) {
  if (!afterPin) return CanLinkTo(pin);
  std::lock_guard guard(EntriesGuard);
  // Each step follows one entry; a walk longer than the entry list has gone round a cycle.
  for (size_t steps = 0; steps <= Entries.size(); ++steps) {
    if (afterPin == pin) return false;
    const TLkSinkEntry* entry = FindEntry(afterPin);
    if (!entry) return false;
    if (!entry->AfterPin) return true;
    afterPin = entry->AfterPin;
  }
  return false;
}

TLkSourcePin::TLinkType TLkSourcePin::FindLinkType(TLkBasicPin* sink, bool allowConverters, bool allowRegistered) {
  const std::vector<TLkTypeEntry>& offered = Types();
  for (auto it = offered.rbegin(); it != offered.rend(); ++it)
    if (sink->QueryPeerInterface(it->Type)) return {it->Type};
  if (allowConverters) {
    for (auto it = Converters.rbegin(); it != Converters.rend(); ++it) {
      TLkFormatConverter& converter = **it;
      if (converter.Output().FindLinkType(sink, false, false).Type.IsNull()) continue;
      const TGUID in = FindLinkType(&converter.Input(), false, false).Type;
      if (!in.IsNull()) return {in, nullptr, &converter};
    }
  }
  TLinkType result;
  if (allowRegistered) {
    ForEachFormatConverterFromLast([&](const TGUID& from, const TGUID& to, TLkFormatConverterClass converterClass) {
      for (auto it = offered.rbegin(); it != offered.rend(); ++it)
        if (it->Type == from && sink->QueryPeerInterface(to)) {
          result = {from, converterClass, nullptr};
          return true;
        }
      return false;
    });
  }
  return result;
}

void TLkSourcePin::SetEntryType(TLkSinkEntry& entry, const TGUID& type) {
  entry.Type = type;
  entry.Handler = HandlerFor(type);
}

bool TLkSourcePin::AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) {
  if (!pin) return false;
  const TLkLockSection write = WriteLock();
  if (!write) return false;
  if (!IsLinkedTo(pin)) AddSinkEntry(pin, afterPin);
  return true;
}

TLkBasicPin* TLkSourcePin::AddSinkEntry(TLkBasicPin* sink, TLkBasicPin* afterPin) {
  const TLinkType link = FindLinkType(sink, true, true);
  TLkFormatConverter* converter = link.Existing;
  if (link.NewConverter) converter = Converters.emplace_back(link.NewConverter()).get();
  TLkSinkEntry entry{sink, sink, afterPin, {}, {}, 0};
  TLkBasicPin* delivering = this;
  if (converter) {
    TLkSinkPin& input = converter->Input();
    entry.Target = &input;
    // The converter's pins are not refused: the converter is half linked.
    input.TakeSource(*this, link.Type);
    TLkSourcePin& output = converter->Output();
    {
      const TLkLockSection outputLock = output.WaitingLock();
      if (!output.IsLinkedTo(sink)) output.AddSinkEntry(sink, nullptr);
    }
    delivering = &output;
  }
  SetEntryType(entry, link.Type);
  std::lock_guard guard(EntriesGuard);
  if (FreeInFlightCounters.empty()) {
    entry.InFlight = &InFlightCounters.emplace_back(0);
  } else {
    entry.InFlight = FreeInFlightCounters.back();
    FreeInFlightCounters.pop_back();
  }
  Entries.push_back(entry);
  ++EntriesVersion;
  OrderDirty = true;
  return delivering;
}

void TLkSourcePin::RemoveLink(TLkBasicPin* pin, bool /*keepPlaceholder*/) {
  if (Disconnecting || !pin) return;
  {
    // Not refused: the sink lets go of this source either way.
    const TLkLockSection write = WaitingLock();
    if (!IsLinkedTo(pin)) return;
    RemoveSinkEntry(pin);
  }
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.PinChanged(this); });
  pin->Released();
}

void TLkSourcePin::RemoveSinkEntry(TLkBasicPin* sink) {
  TLkAtomicFlagGuard disconnecting(Disconnecting);
  bool throughConverter;
  std::atomic<int>* inFlight;
  {
    std::lock_guard guard(EntriesGuard);
    const auto found =
        std::find_if(Entries.begin(), Entries.end(), [sink](const TLkSinkEntry& e) { return e.Sink == sink; });
    if (found == Entries.end()) return;
    throughConverter = found->Target != found->Sink;
    inFlight = found->InFlight;
    Entries.erase(found);
    EntriesVersion.fetch_add(1);
  }
  // Sends to other sinks go on meanwhile. The pin's lock is lent away while waiting, since a
  // delivery in progress may need it.
  {
    TLkLockSection lent = UnlockAll();
    while (inFlight->load() > 0) std::this_thread::yield();
  }
  {
    std::lock_guard guard(EntriesGuard);
    FreeInFlightCounters.push_back(inFlight);
  }
  if (!throughConverter) return;
  std::vector<std::unique_ptr<TLkFormatConverter, TComponentDeleter>> unused;
  for (auto it = Converters.begin(); it != Converters.end();) {
    TLkSourcePin& output = (*it)->Output();
    {
      // Not refused: the sink has left this source already.
      const TLkLockSection outputLock = output.WaitingLock();
      output.RemoveSinkEntry(sink);
    }
    if (output.GetSinkCount() == 0) {
      unused.push_back(std::move(*it));
      it = Converters.erase(it);
    } else {
      ++it;
    }
  }
  // Freed while the flag is still set: their inputs' unlinking must not come back here.
  unused.clear();
}

void TLkSourcePin::UnlinkAll() {
  LeaveGroup();
  const bool keep = IsDesigning() && IsOwnerDestroying();
  std::vector<TLkBasicPin*> sinks;
  {
    std::lock_guard guard(EntriesGuard);
    for (const TLkSinkEntry& entry : Entries) sinks.push_back(entry.Sink);
  }
  for (auto it = sinks.rbegin(); it != sinks.rend(); ++it) {
    TLkBasicPin* sink = *it;
    LkWatchers::Tell([this, sink](ILkWatcher& watcher) { watcher.PinUnlinked(this, sink); });
    {
      // Not refused: a pin that goes unlinks everything.
      const TLkLockSection write = WaitingLock();
      RemoveSinkEntry(sink);
    }
    sink->RemoveLink(this, keep);
    sink->Released();
  }
  const TLkLockSection write = WaitingLock();  // as above
  std::lock_guard guard(EntriesGuard);
  Entries.clear();
  ++EntriesVersion;
}

bool TLkSourcePin::DirectlyDependsOn(TLkBasicPin* pin) {
  return std::find(DependsOnList.begin(), DependsOnList.end(), pin) != DependsOnList.end();
}

bool TLkSourcePin::DependsOn(TLkBasicPin* pin) {
  // A walk that comes back to a source it is already walking answers no for that branch.
  if (Busy) return false;
  TLkFlagGuard busy(Busy);
  return std::any_of(DependsOnList.begin(), DependsOnList.end(),
                     [pin](TLkSinkPin* sink) { return sink == pin || sink->DependsOn(pin); });
}

void TLkSourcePin::AddDependency(TLkSinkPin* sink) {
  if (!sink || DirectlyDependsOn(sink)) return;
  DependsOnList.push_back(sink);
  sink->AddDependentSource(this);
}

int TLkSourcePin::ConverterCount() {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return static_cast<int>(Converters.size());
}

TGUID TLkSourcePin::GetLinkType(TLkBasicPin* pin) {
  std::lock_guard guard(EntriesGuard);
  const TLkSinkEntry* entry = FindEntry(pin);
  return entry ? entry->Type : TGUID{};
}

TLkBasicPin* TLkSourcePin::GetAfterPin(TLkBasicPin* pin) {
  std::lock_guard guard(EntriesGuard);
  const TLkSinkEntry* entry = FindEntry(pin);
  return entry ? entry->AfterPin : nullptr;
}

bool TLkSourcePin::IsLinkedTo(TLkBasicPin* pin) {
  std::lock_guard guard(EntriesGuard);
  return pin && FindEntry(pin);
}

bool TLkSourcePin::IsLinkedThroughConverter(TLkBasicPin* pin) {
  std::lock_guard guard(EntriesGuard);
  const TLkSinkEntry* entry = FindEntry(pin);
  return entry && entry->Target != entry->Sink;
}

TGUID TLkSourcePin::GetCurrentType() {
  std::lock_guard guard(EntriesGuard);
  return Entries.empty() ? TGUID{} : Entries.front().Type;
}

void TLkSourcePin::PinDestroying(TLkBasicPin* pin) {
  std::erase(DependsOnList, pin);
  {
    // Not refused: no link may outlive the pin that goes.
    const TLkLockSection write = WaitingLock();
    RemoveSinkEntry(pin);
    std::lock_guard guard(EntriesGuard);
    for (TLkSinkEntry& entry : Entries)
      if (entry.AfterPin == pin) entry.AfterPin = nullptr;
    OrderDirty = true;
  }
  TLkStreamPin::PinDestroying(pin);
}

void TLkSourcePin::PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin) {
  const TLkLockSection write = WaitingLock();  // not refused: the old pin goes next
  std::lock_guard guard(EntriesGuard);
  for (TLkSinkEntry& entry : Entries)
    if (entry.AfterPin == oldPin) entry.AfterPin = newPin;
  OrderDirty = true;
}

void TLkSourcePin::SendConnectNoticeTo(TLkBasicPin* sink) {
  TLkHandler handler;
  TGUID type;
  TLkBasicPin* target = nullptr;
  {
    // Not refused: the link is made, and the sink must hear of it.
    const TLkLockSection read = WaitingLock();
    const TGUID renegotiated = FindLinkType(sink, false, false).Type;
    std::lock_guard guard(EntriesGuard);
    TLkSinkEntry* entry = FindEntry(sink);
    if (!entry) return;
    if (entry->Target == entry->Sink && !renegotiated.IsNull()) SetEntryType(*entry, renegotiated);
    handler = entry->Handler;
    type = entry->Type;
    target = entry->Target;
  }
  if (!handler) return;
  if (ReentryDepth > MaxNoticeDepth) throw ELkException(LkSelfDependencyMessage);
  TLkDepthGuard depth(ReentryDepth);
  {
    TLkLockSection ownLent = UnlockAll();
    TLkDestroySection using_ = DestroyLock().Enter();
    if (using_) {
      TLkLockSection componentLent = ComponentLock() ? ComponentLock()->UnlockAllSection() : TLkLockSection();
      const TRef<TLkNotifyOperation> notice = MakeRef<TLkNotifyOperation>();
      handler(target, type, lkNotice | lkLast, *notice);
    }
  }
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.PinChanged(this); });
}
