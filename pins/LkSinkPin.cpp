#include "pins/LkPins.h"

#include "pins/LkWatchers.h"
#include "platform/Published.h"

#include <algorithm>

namespace {

// What a sink takes from a delivering pin: the type that pin chose for the link when the sink
// supports it, else the last type the pin offers that the sink supports.
TGUID ChooseAgainst(const TLkBasicPin& sink, const TLkPin& delivering, const TGUID& chosen) {
  const std::vector<TLkTypeEntry>& offered = delivering.Types();
  const bool offersChosen =
      std::any_of(offered.begin(), offered.end(), [&](const TLkTypeEntry& e) { return e.Type == chosen; });
  if (!chosen.IsNull() && offersChosen && sink.QueryPeerInterface(chosen)) return chosen;
  for (auto it = offered.rbegin(); it != offered.rend(); ++it)
    if (sink.QueryPeerInterface(it->Type)) return it->Type;
  return {};
}

}  // namespace

const TClassInfo& TLkSinkPin::StaticClassInfo() { return DefineClass<TLkSinkPin, TLkStreamPin>("TLkSinkPin"); }

TLkSinkPin::TLkSinkPin(TComponent* owner, TLkPinList* ownerList, ILkLock* componentLock)
    : TLkStreamPin(owner, componentLock, ownerList) {}

TLkSinkPin::~TLkSinkPin() { BeforeDestruction(); }

void TLkSinkPin::ChooseType(const TLkPin& delivering, const TGUID& chosen) {
  Type_ = ChooseAgainst(*this, delivering, chosen);
  Handler_ = Type_.IsNull() ? TLkHandler{} : HandlerFor(Type_);
}

bool TLkSinkPin::ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) {
  if (!pin) {
    DropLink();
    return true;
  }
  TLkBasicPin* source;
  TLkBasicPin* immediate;
  {
    const TLkLockSection read = ReadLock();
    if (!read) return false;
    source = Source_;
    immediate = Immediate_;
  }
  if ((pin == source && source->GetAfterPin(this) == afterPin) || pin == immediate) return true;
  if (!CanLinkTo(pin)) return false;
  if (auto* newSource = dynamic_cast<TLkSourcePin*>(pin)) {
    // A stream link ends a state membership, and the old link.
    LeaveGroup();
    if (GetSource()) DropLink();
    {
      const TLkLockSection write = WriteLock();
      if (!write) return false;
      Source_ = Immediate_ = newSource;
    }
    TLkBasicPin* delivering = nullptr;
    {
      const TLkLockSection sourceLock = newSource->WriteLock();
      if (sourceLock) delivering = newSource->AddSinkEntry(this, afterPin);
    }
    if (!delivering) {
      // The source refused: the sink lets go of it again.
      const TLkLockSection write =
          WaitingLock();  // must not be refused: the sink would name a source that does not serve it
      Source_ = Immediate_ = nullptr;
      return false;
    }
    auto* deliveringPin = static_cast<TLkSourcePin*>(delivering);
    const TGUID chosen = deliveringPin->GetLinkType(this);
    {
      const TLkLockSection write = WaitingLock();  // must not be refused: the source serves the sink already
      Immediate_ = delivering;
      ChooseType(*deliveringPin, chosen);
    }
    newSource->SendConnectNoticeTo(this);
    const TGUID renegotiated = deliveringPin->GetLinkType(this);
    {
      const TLkLockSection write = WaitingLock();  // must not be refused: the source serves the sink already
      ChooseType(*deliveringPin, renegotiated);
    }
    newSource->SinkLinked(this);
  } else if (!pin->ConnectAfter(this, afterPin)) {
    return false;
  }
  LkWatchers::Tell([this, pin](ILkWatcher& watcher) {
    watcher.PinLinked(this, pin);
    watcher.PinChanged(this);
  });
  return true;
}

bool TLkSinkPin::CanLinkTo(TLkBasicPin* peer) {
  if (!peer || peer == this || !ModesAllowLink(*this, *peer)) return false;
  if (peer->IsPlaceholder()) return true;
  if (peer->GetKind() == TLkPinKind::State) {
    TLkFormatConverterClass converter = nullptr;
    return !peer->FindStateType(this, &converter).IsNull();
  }
  auto* source = dynamic_cast<TLkSourcePin*>(peer);
  if (!source) return false;
  const TGUID type = source->FindLinkType(this, true, true).Type;
  if (type.IsNull()) return false;
  if (!SkipAcceptance && !Types().empty() && ChooseAgainst(*this, *source, type).IsNull()) return false;
  return !source->DependsOn(this);
}

bool TLkSinkPin::AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) { return ConnectAfter(pin, afterPin); }

void TLkSinkPin::RemoveLink(TLkBasicPin* pin, bool /*keepPlaceholder*/) {
  const TLkLockSection write = WaitingLock();  // must not be refused: the source has let go already
  if (!pin || pin != Source_) return;
  Source_ = Immediate_ = nullptr;
  Handler_ = {};
  Type_ = {};
}

void TLkSinkPin::DropLink() {
  TLkBasicPin* old;
  {
    const TLkLockSection read = WaitingLock();  // unlinking is not refused: a pin that goes relies on it
    old = Source_;
  }
  if (!old) return;
  old->RemoveLink(this, IsDesigning() && IsOwnerDestroying());
  LkWatchers::Tell([this, old](ILkWatcher& watcher) { watcher.PinUnlinked(this, old); });
  {
    const TLkLockSection write = WaitingLock();  // must not be refused: the source has let go already
    Source_ = Immediate_ = nullptr;
    Handler_ = {};
    Type_ = {};
  }
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.PinChanged(this); });
  old->Released();
}

void TLkSinkPin::UnlinkAll() {
  LeaveGroup();
  TLkBasicPin* source;
  {
    const TLkLockSection read = WaitingLock();  // unlinking is not refused: a pin that goes relies on it
    source = Source_;
  }
  if (!source) return;
  // The source's sends to this sink in progress end before the link is gone (see RemoveSinkEntry).
  const TLkLockSection sourceLock = source->WaitingLock();  // unlinking is not refused, as above
  DropLink();
}

bool TLkSinkPin::DependsOn(TLkBasicPin* pin) {
  TLkBasicPin* source = Source_;
  return source && (source == pin || source->DependsOn(pin));
}

TGUID TLkSinkPin::GetLinkType(TLkBasicPin* pin) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return pin && pin == Source_ ? Type_ : TGUID{};
}

TLkBasicPin* TLkSinkPin::GetAfterPin(TLkBasicPin* pin) {
  TLkBasicPin* source = Source_;
  return pin && pin == source ? source->GetAfterPin(this) : nullptr;
}

TLkBasicPin* TLkSinkPin::GetLinkAfterPin(int index) {
  TLkBasicPin* source = Source_;
  return index == 0 && source ? source->GetAfterPin(this) : nullptr;
}

bool TLkSinkPin::IsLinkedThroughConverter(TLkBasicPin* pin) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return pin && pin == Source_ && Immediate_ != Source_;
}

void TLkSinkPin::PinDestroying(TLkBasicPin* pin) {
  std::erase_if(DependentSources, [pin](const TLkSourcePin* source) { return source == pin; });
  if (pin == Source_) DropLink();
  TLkStreamPin::PinDestroying(pin);
}

void TLkSinkPin::LinkFrom(TLkSourcePin& source) {
  // Neither is refused: a group's converter is joined halfway through a state link.
  {
    const TLkLockSection sourceLock = source.WaitingLock();
    if (!source.IsLinkedTo(this)) source.AddSinkEntry(this, nullptr);
  }
  TakeSource(source, source.GetLinkType(this));
}

void TLkSinkPin::TakeSource(TLkBasicPin& source) {
  const TLkLockSection write = WaitingLock();  // not refused: the framework's own link is half made
  Source_ = Immediate_ = &source;
}

void TLkSinkPin::TakeSource(TLkSourcePin& source, const TGUID& chosen) {
  const TLkLockSection write = WaitingLock();  // not refused, as above
  Source_ = Immediate_ = &source;
  ChooseType(source, chosen);
}

void TLkSinkPin::AddDependentSource(TLkSourcePin* source) { DependentSources.push_back(source); }
