#include "platform/Collection.h"

#include "platform/ErrorHook.h"
#include "platform/Published.h"

#include <algorithm>

const TClassInfo& TCollectionItem::StaticClassInfo() {
  return DefineClass<TCollectionItem, TPersistent>("TCollectionItem");
}

TCollectionItem::~TCollectionItem() {
  if (Index() >= 0) Collection_->Remove(*this);
}

int TCollectionItem::Index() const {
  if (!Collection_) return -1;
  const auto& items = Collection_->Items_;
  const auto found = std::find(items.begin(), items.end(), this);
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

TPersistent* TCollectionItem::GetOwner() const { return Collection_; }

const TClassInfo& TCollection::StaticClassInfo() { return DefineClass<TCollection, TPersistent>("TCollection"); }

TCollection::TCollection(TPersistent* owner, TItemFactory factory) : Owner_(owner), Factory(std::move(factory)) {}

TCollection::~TCollection() { Clear(); }

TCollectionItem& TCollection::Add() {
  std::unique_ptr<TCollectionItem> item(Factory(*this));
  Insert(*item);
  return *item.release();
}

TCollectionItem& TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return *Items_[static_cast<size_t>(index)];
}

void TCollection::Delete(int index) {
  TCollectionItem& item = Items(index);
  Notify(item, TCollectionNotification::cnDeleting);
  Items_.erase(Items_.begin() + index);
  item.Collection_ = nullptr;
  delete &item;
}

std::unique_ptr<TCollectionItem> TCollection::Extract(TCollectionItem& item) {
  if (item.Collection_ != this) throw EListError("The item is not in this collection");
  Notify(item, TCollectionNotification::cnExtracting);
  Items_.erase(std::find(Items_.begin(), Items_.end(), &item));
  item.Collection_ = nullptr;
  return std::unique_ptr<TCollectionItem>(&item);
}

void TCollection::Clear() {
  while (!Items_.empty()) Delete(Count() - 1);
}

void TCollection::Insert(TCollectionItem& item) {
  Items_.push_back(&item);
  Notify(item, TCollectionNotification::cnAdded);
}

void TCollection::Remove(TCollectionItem& item) {
  Notify(item, TCollectionNotification::cnDeleting);
  Items_.erase(std::find(Items_.begin(), Items_.end(), &item));
  item.Collection_ = nullptr;
}

void TCollection::Notify(TCollectionItem&, TCollectionNotification) {}

const TClassInfo& TLkExtCollectionItem::StaticClassInfo() {
  return DefineClass<TLkExtCollectionItem, TCollectionItem>("TLkExtCollectionItem");
}

TLkExtCollectionItem::~TLkExtCollectionItem() {
  if (ClearReference) ClearReference();
  for (TLkItemReferenceBase* reference : References) reference->Item_ = nullptr;
}

void TLkItemReferenceBase::Attach(TLkExtCollectionItem* item) {
  if (item == Item_) return;
  if (Item_) std::erase(Item_->References, this);
  Item_ = item;
  if (Item_) Item_->References.push_back(this);
}

const TClassInfo& TLkExtCollection::StaticClassInfo() {
  return DefineClass<TLkExtCollection, TCollection>("TLkExtCollection");
}

int TLkExtCollection::AddListener(TListener listener) {
  Listeners.emplace_back(NextKey, std::move(listener));
  return NextKey++;
}

void TLkExtCollection::RemoveListener(int key) {
  Listeners.erase(
      std::remove_if(Listeners.begin(), Listeners.end(), [key](const auto& entry) { return entry.first == key; }),
      Listeners.end());
}

void TLkExtCollection::Notify(TCollectionItem& item, TCollectionNotification action) {
  if (action == TCollectionNotification::cnAdded) ItemAdded(item);
  const auto listeners = Listeners;  // a listener may remove itself
  for (const auto& [key, listener] : listeners) {
    try {
      listener(*this, item, action);
    } catch (...) {
      // A failing listener must not keep the others from hearing.
      PassErrorToHook("a collection listener");
    }
  }
}
