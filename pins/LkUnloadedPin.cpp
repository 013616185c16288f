#include "pins/LkPins.h"

#include "platform/Published.h"

#include <algorithm>

namespace {

std::string DropFirstComponent(const std::string& path) {
  const size_t dot = path.find('.');
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

}  // namespace

const TClassInfo& TLkUnloadedPin::StaticClassInfo() {
  return DefineClass<TLkUnloadedPin, TLkBasicPin>("TLkUnloadedPin");
}

TLkUnloadedPin::TLkUnloadedPin(std::string identPath, std::string displayPath, TComponent* root, TLkPinKind kind,
                               bool designing)
    : TLkBasicPin(nullptr, nullptr),
      IdentPath(std::move(identPath)),
      DisplayPath(std::move(displayPath)),
      Root_(root),
      Kind(kind),
      Designing(designing) {}

TLkUnloadedPin::~TLkUnloadedPin() { BeforeDestruction(); }

std::string TLkUnloadedPin::GetDisplayPath(bool withRoot) {
  return withRoot ? DisplayPath : DropFirstComponent(IdentPath);
}

std::string TLkUnloadedPin::GetIdentPath(bool withRoot) { return withRoot ? IdentPath : DropFirstComponent(IdentPath); }

bool TLkUnloadedPin::ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) {
  if (!pin || pin == this) return false;
  {
    const TLkLockSection write = WriteLock();
    if (!write) return false;
    const auto known =
        std::find_if(Requests_.begin(), Requests_.end(), [pin](const TRequest& r) { return r.Peer == pin; });
    if (known != Requests_.end()) known->AfterPin = afterPin;
    else Requests_.push_back({pin, afterPin});
  }
  // The peer's side is not refused: the request is recorded already.
  if (auto* source = dynamic_cast<TLkSourcePin*>(pin)) {
    const TLkLockSection sourceLock = source->WaitingLock();
    if (!source->IsLinkedTo(this)) source->AddSinkEntry(this, afterPin);
  } else if (auto* sink = dynamic_cast<TLkSinkPin*>(pin)) {
    if (sink->GetSource() != this) {
      sink->DropLink();
      sink->TakeSource(*this);
    }
  }
  return true;
}

void TLkUnloadedPin::RemoveLink(TLkBasicPin* pin, bool) {
  const TLkLockSection write = WaitingLock();  // unlinking is not refused: a pin that goes relies on it
  std::erase_if(Requests_, [pin](const TRequest& r) { return r.Peer == pin; });
}

void TLkUnloadedPin::UnlinkAll() {
  // The peers forget this placeholder when they hear it is destroyed.
  const TLkLockSection write = WaitingLock();  // not refused, as RemoveLink
  Requests_.clear();
}

void TLkUnloadedPin::Released() {
  if (InRelease || Kept || Pending || DestructionBegun() || !Requests_.empty()) return;
  InRelease = true;
  LkPlaceholders::Free(this);  // this object is gone now
}

void TLkUnloadedPin::SetKept(bool kept) {
  Kept = kept;
  if (!kept) Released();
}

TLkBasicPin* TLkUnloadedPin::GetLinkedPin(int index) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return index >= 0 && index < static_cast<int>(Requests_.size()) ? Requests_[static_cast<size_t>(index)].Peer
                                                                  : nullptr;
}

TLkBasicPin* TLkUnloadedPin::GetLinkAfterPin(int index) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return index >= 0 && index < static_cast<int>(Requests_.size()) ? Requests_[static_cast<size_t>(index)].AfterPin
                                                                  : nullptr;
}

bool TLkUnloadedPin::IsLinkedTo(TLkBasicPin* pin) {
  const TLkLockSection read = WaitingLock();  // a query has no refusal to report
  return std::any_of(Requests_.begin(), Requests_.end(), [pin](const TRequest& r) { return r.Peer == pin; });
}

void TLkUnloadedPin::PinDestroying(TLkBasicPin* pin) {
  {
    const TLkLockSection write = WaitingLock();  // not refused: no request may name a pin that goes
    std::erase_if(Requests_, [pin](const TRequest& r) { return r.Peer == pin; });
    for (TRequest& request : Requests_)
      if (request.AfterPin == pin) request.AfterPin = nullptr;
  }
  TLkBasicPin::PinDestroying(pin);
}

void TLkUnloadedPin::PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin) {
  const TLkLockSection write = WaitingLock();  // not refused: the old pin goes next
  for (TRequest& request : Requests_) {
    if (request.Peer == oldPin) request.Peer = newPin;
    if (request.AfterPin == oldPin) request.AfterPin = newPin;
  }
}
