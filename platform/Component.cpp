#include "platform/Component.h"

#include "platform/Published.h"

#include <algorithm>
#include <cctype>

const TClassInfo& TComponent::StaticClassInfo() { return DefineClass<TComponent, TPersistent>("TComponent"); }

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->Insert(this);
}

TComponent::~TComponent() {
  // Deleted without Free: what it owns still hears the first phase while whole.
  if (!IsDestroying()) {
    State_ |= csDestroying;
    for (auto it = Components_.rbegin(); it != Components_.rend(); ++it) (*it)->BeginDestroy();
  }
  DestroyComponents();
  const std::vector<TComponent*> notifies = FreeNotifies;
  FreeNotifies.clear();
  for (TComponent* other : notifies) {
    other->FreeNotifies.erase(std::remove(other->FreeNotifies.begin(), other->FreeNotifies.end(), this),
                              other->FreeNotifies.end());
    other->Notification(this, TOperation::opRemove);
  }
  if (Owner_) Owner_->Remove(this);
}

void TComponent::Free(TComponent* component) {
  if (!component) return;
  component->BeginDestroy();
  component->DestroyComponents();
  delete component;
}

void TComponent::BeginDestroy() {
  if (IsDestroying()) return;
  State_ |= csDestroying;
  Destroying();
  const std::vector<TComponent*> owned = Components_;
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) (*it)->BeginDestroy();
}

void TComponent::DestroyComponents() {
  // Each freed component takes itself out of the list.
  while (!Components_.empty()) Free(Components_.back());
}

bool TComponent::SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

void TComponent::SetName(const std::string& name) {
  if (name == Name_) return;
  const bool valid = name.empty() || ((std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_') &&
                                      std::all_of(name.begin(), name.end(), [](char c) {
                                        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                                      }));
  if (!valid) throw EComponentError("'" + name + "' is not a valid component name");
  if (Owner_ && !name.empty()) {
    const TComponent* other = Owner_->FindComponent(name);
    if (other && other != this) throw EComponentError("A component named " + name + " already exists");
  }
  if (Owner_) {
    Owner_->BindField(Name_, nullptr);
    Owner_->BindField(name, this);
  }
  Name_ = name;
}

TComponent* TComponent::Root() {
  TComponent* root = this;
  while (root->Owner_) root = root->Owner_;
  return root;
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return Components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : Components_)
    if (SameName(component->Name_, name)) return component;
  return nullptr;
}

void TComponent::SetDesigning(bool designing) {
  State_ = designing ? State_ | csDesigning : State_ & ~csDesigning;
  for (TComponent* component : Components_) component->SetDesigning(designing);
}

void TComponent::Loaded() { State_ &= ~csLoading; }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) RemoveFreeNotification(component);
  const std::vector<TComponent*> owned = Components_;
  for (TComponent* each : owned)
    if (each != component) each->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FreeNotifies.begin(), FreeNotifies.end(), component) == FreeNotifies.end()) {
    FreeNotifies.push_back(component);
    component->FreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  const auto it = std::find(FreeNotifies.begin(), FreeNotifies.end(), component);
  if (it == FreeNotifies.end()) return;
  FreeNotifies.erase(it);
  component->FreeNotifies.erase(std::remove(component->FreeNotifies.begin(), component->FreeNotifies.end(), this),
                                component->FreeNotifies.end());
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) const {}

void TComponent::Insert(TComponent* component) {
  Components_.push_back(component);
  component->Owner_ = this;
  component->State_ |= State_ & csDesigning;
  Notification(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
  Notification(component, TOperation::opRemove);
  BindField(component->Name_, nullptr);
  Components_.erase(std::remove(Components_.begin(), Components_.end(), component), Components_.end());
  component->Owner_ = nullptr;
}

void TComponent::BindField(const std::string& name, TComponent* component) {
  if (name.empty()) return;
  if (const TFieldInfo* field = ClassInfo().FindField(name); field && !field->Set(*this, component))
    throw EComponentError("Field " + name + " cannot hold a " + component->ClassName());
}
