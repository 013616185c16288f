#include "pins/LkPins.h"

#include "pins/LkWatchers.h"
#include "platform/Published.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

namespace {

struct TPinRegistry {
  TLkCriticalSection Lock;
  std::vector<TLkBasicPin*> Pins;
  std::unordered_set<const TLkBasicPin*> Members;
};

TPinRegistry& Registry() {
  static TPinRegistry registry;
  return registry;
}

// The placeholders still unresolved. Built after the pin registry, so that it is destroyed first
// and its leftovers leave a registry that still exists.
struct TPlaceholderOwner {
  std::vector<TLkUnloadedPin*> All;
  ~TPlaceholderOwner() {
    while (!All.empty()) LkPlaceholders::Free(All.back());
  }
};

TPlaceholderOwner& Placeholders() {
  Registry();
  static TPlaceholderOwner owner;
  return owner;
}

}  // namespace

TLkCriticalSection& LkPinRegistry::Lock() { return Registry().Lock; }

std::vector<TLkBasicPin*> LkPinRegistry::Pins() {
  std::lock_guard lock(Registry().Lock);
  return Registry().Pins;
}

bool LkPinRegistry::IsRegistered(const TLkBasicPin* pin) {
  std::lock_guard lock(Registry().Lock);
  return Registry().Members.count(pin) != 0;
}

TLkUnloadedPin* LkPlaceholders::Create(const std::string& identPath, const std::string& displayPath, TComponent* root,
                                       TLkPinKind kind) {
  auto* placeholder = new TLkUnloadedPin(identPath, displayPath, root, kind, root && root->IsDesigning());
  std::lock_guard lock(Registry().Lock);
  Placeholders().All.push_back(placeholder);
  return placeholder;
}

void LkPlaceholders::Free(TLkUnloadedPin* placeholder) {
  {
    std::lock_guard lock(Registry().Lock);
    auto& placeholders = Placeholders().All;
    const auto found = std::find(placeholders.begin(), placeholders.end(), placeholder);
    if (found == placeholders.end()) return;
    placeholders.erase(found);
  }
  TLkBasicPin::Free(placeholder);
}

std::vector<TLkUnloadedPin*> LkPlaceholders::All() {
  std::lock_guard lock(Registry().Lock);
  return Placeholders().All;
}

const TClassInfo& TLkObject::StaticClassInfo() { return DefineClass<TLkObject, TPersistent>("TLkObject"); }

const TClassInfo& TLkPinObject::StaticClassInfo() { return DefineClass<TLkPinObject, TLkObject>("TLkPinObject"); }

void TLkPinObject::PinDestroying(TLkBasicPin*) {}

void TLkPinObject::PinReplaced(TLkBasicPin*, TLkBasicPin*) {}

const TClassInfo& TLkBasicPin::StaticClassInfo() { return DefineClass<TLkBasicPin, TLkPinObject>("TLkBasicPin"); }

TLkBasicPin::TLkBasicPin(ILkLock* componentLock, TLkPinList* ownerList)
    : TLkPinObject(componentLock), OwnerList_(ownerList) {
  Implement(IID_ILkBasicPin);
  {
    TPinRegistry& registry = Registry();
    std::lock_guard lock(registry.Lock);
    registry.Pins.push_back(this);
    registry.Members.insert(this);
  }
  LkWatchers::Tell([this](ILkWatcher& watcher) { watcher.PinCreated(this); });
}

TLkBasicPin::~TLkBasicPin() {
  TPinRegistry& registry = Registry();
  std::lock_guard lock(registry.Lock);
  std::erase(registry.Pins, this);
  registry.Members.erase(this);
}

void TLkBasicPin::Free(TLkBasicPin* pin) {
  if (!pin) return;
  pin->BeforeDestruction();
  delete pin;
}

void TLkBasicPin::BeforeDestruction() {
  if (DestructionBegun_.exchange(true)) return;
  const bool keep = IsDesigning() && IsOwnerDestroying();
  {
    const TLkLockSection write = WaitingLock();  // not refused: a pin that goes unlinks everything
    TLkDestroySection destroying = DestroyLock_.Lock();
    UnlinkAll();
  }
  LkWatchers::Tell([this, keep](ILkWatcher& watcher) { watcher.PinDestroying(this, keep); });
  std::lock_guard lock(LkPinRegistry::Lock());
  for (TLkBasicPin* pin : LkPinRegistry::Pins())
    if (pin != this && LkPinRegistry::IsRegistered(pin)) pin->PinDestroying(this);
}

TComponent* TLkBasicPin::GetRoot() const {
  TComponent* owner = GetOwner();
  return owner ? owner->Root() : nullptr;
}

std::string TLkBasicPin::GetRootName() const {
  const TComponent* root = GetRoot();
  return root ? root->Name() : std::string();
}

bool TLkBasicPin::IsOwnerDestroying() const {
  const TComponent* root = GetRoot();
  return root && root->IsDestroying();
}

bool TLkBasicPin::ModesAllowLink(const TLkBasicPin& a, const TLkBasicPin& b) {
  auto convertedBy = [](const TLkBasicPin& pin) {
    return dynamic_cast<TLkFormatConverter*>(pin.GetOwner()) != nullptr;
  };
  return convertedBy(a) || convertedBy(b) || a.IsDesigning() == b.IsDesigning();
}

bool TLkBasicPin::IsDesigning() const {
  const TComponent* owner = GetOwner();
  return owner && owner->IsDesigning();
}

void TLkBasicPin::Implement(const TGUID& iid) {
  if (!QueryPeerInterface(iid)) Interfaces.push_back(iid);
}

bool TLkBasicPin::QueryPeerInterface(const TGUID& iid) const {
  return std::find(Interfaces.begin(), Interfaces.end(), iid) != Interfaces.end();
}

uint8_t TLkBasicPin::Receive(const TGUID&, TLkNotifyOperation&, uint8_t) { return 0; }

bool TLkBasicPin::CanOrderAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) { return !afterPin && CanLinkTo(pin); }

bool TLkBasicPin::DirectlyDependsOn(TLkBasicPin*) { return false; }

bool TLkBasicPin::DependsOn(TLkBasicPin*) { return false; }

TGUID TLkBasicPin::GetLinkType(TLkBasicPin*) { return {}; }

TLkBasicPin* TLkBasicPin::GetAfterPin(TLkBasicPin*) { return nullptr; }

bool TLkBasicPin::IsLinkedTo(TLkBasicPin*) { return false; }

bool TLkBasicPin::IsLinkedThroughConverter(TLkBasicPin*) { return false; }

const TClassInfo& TLkPin::StaticClassInfo() { return DefineClass<TLkPin, TLkBasicPin>("TLkPin"); }

TLkPin::TLkPin(TComponent* owner, ILkLock* componentLock, TLkPinList* ownerList)
    : TLkBasicPin(componentLock, ownerList), Owner_(owner) {}

void TLkPin::AddType(const TGUID& type, TLkHandler handler) {
  for (TLkTypeEntry& entry : Types_)
    if (entry.Type == type) {
      entry.Handler = handler;
      return;
    }
  Types_.push_back({type, handler});
}

TLkHandler TLkPin::HandlerFor(const TGUID& type) {
  for (const TLkTypeEntry& entry : Types_)
    if (entry.Type == type) return entry.Handler ? entry.Handler : TLkHandler{&TLkPin::DefaultTypeHandler, this};
  return {};
}

uint8_t TLkPin::DefaultTypeHandler(void* self, TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                   TLkNotifyOperation& operation) {
  const TLkDefaultHandler handler = StreamTypeHandler(type);
  return handler ? handler(static_cast<TLkPin*>(self), peer, type, flags, operation) : 0;
}

const TClassInfo& TLkStreamPin::StaticClassInfo() { return DefineClass<TLkStreamPin, TLkPin>("TLkStreamPin"); }

const TClassInfo& TLkFormatConverter::StaticClassInfo() {
  return DefineClass<TLkFormatConverter, TComponent>("TLkFormatConverter");
}

void TLkFormatConverter::SetPins(TLkPinPtr<TLkSinkPin> input, TLkPinPtr<TLkSourcePin> output) {
  Input_ = std::move(input);
  Output_ = std::move(output);
  Output_->AddDependency(Input_.get());
}

void TLkFormatConverter::Destroying() {
  Output_.reset();
  Input_.reset();
  TComponent::Destroying();
}
