#pragma once

#include "platform/Persistent.h"

#include <functional>
#include <memory>
#include <vector>

class TCollection;

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// An item of a collection: a persistent object whose properties are written inside the
// collection's "< item ... end >" value.
class TCollectionItem : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  // Items are made by their collection's Add, which appends them once they are whole.
  explicit TCollectionItem(TCollection& collection) : Collection_(&collection) {}
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return Collection_; }
  int Index() const;
  TPersistent* GetOwner() const override;

private:
  friend class TCollection;
  TCollection* Collection_ = nullptr;
};

// An ordered collection that owns its items and creates new ones of its item class.
class TCollection : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  using TItemFactory = std::function<TCollectionItem*(TCollection& collection)>;

  TCollection(TPersistent* owner, TItemFactory factory);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  // A collection whose items are of class Item, constructed from the collection.
  template <class Item>
  static TItemFactory ItemsOf() {
    return [](TCollection& collection) -> TCollectionItem* { return new Item(collection); };
  }

  TCollectionItem& Add();
  int Count() const { return static_cast<int>(Items_.size()); }
  // Raises EListError for an index outside 0 .. Count() - 1.
  TCollectionItem& Items(int index) const;
  void Delete(int index);
  // Takes the item out of the collection without destroying it.
  std::unique_ptr<TCollectionItem> Extract(TCollectionItem& item);
  void Clear();

  TPersistent* GetOwner() const override { return Owner_; }

protected:
  // What happened to an item; called while the item is whole.
  virtual void Notify(TCollectionItem& item, TCollectionNotification action);

private:
  friend class TCollectionItem;
  void Insert(TCollectionItem& item);
  void Remove(TCollectionItem& item);

  TPersistent* Owner_;
  TItemFactory Factory;
  std::vector<TCollectionItem*> Items_;
};

class TLkExtCollection;
class TLkExtCollectionItem;

// A reference held outside an item of an extended collection: it reads as none once the item is
// destroyed, so a holder (the item under the mouse, the one being dragged, an item naming another)
// never points at freed memory. References live on the GUI thread, like the items.
class TLkItemReferenceBase {
public:
  TLkItemReferenceBase() = default;
  TLkItemReferenceBase(const TLkItemReferenceBase& other) { Attach(other.Item_); }
  TLkItemReferenceBase& operator=(const TLkItemReferenceBase& other) {
    Attach(other.Item_);
    return *this;
  }
  ~TLkItemReferenceBase() { Attach(nullptr); }

protected:
  void Attach(TLkExtCollectionItem* item);
  TLkExtCollectionItem* Item_ = nullptr;

private:
  friend class TLkExtCollectionItem;
};

template <class Item>
class TLkItemRef : public TLkItemReferenceBase {
public:
  TLkItemRef() = default;
  TLkItemRef(Item* item) { Attach(item); }  // NOLINT(google-explicit-constructor)
  TLkItemRef& operator=(Item* item) {
    Attach(item);
    return *this;
  }

  Item* Get() const { return static_cast<Item*>(Item_); }
  Item* operator->() const { return Get(); }
  explicit operator bool() const { return Item_ != nullptr; }
  bool operator==(const Item* item) const { return Item_ == item; }
};

// An item that keeps the outside references to it up to date: they are cleared when the item is
// destroyed.
class TLkExtCollectionItem : public TCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  using TCollectionItem::TCollectionItem;
  ~TLkExtCollectionItem() override;

  // A plain pointer that is set to none when the item goes; it must outlive the item.
  template <class Item>
  void SetReference(Item*& reference) {
    ClearReference = [&reference] { reference = nullptr; };
  }

private:
  friend class TLkItemReferenceBase;
  std::function<void()> ClearReference;
  std::vector<TLkItemReferenceBase*> References;
};

// A collection with listeners: adding an item runs the collection's own added-hook first and then
// tells every listener; deleting or extracting an item tells every listener. An exception raised
// by a listener is swallowed, so one listener cannot keep the others from hearing.
class TLkExtCollection : public TCollection {
public:
  PUBLISHED_CLASS_INFO

  using TListener =
      std::function<void(TLkExtCollection& collection, TCollectionItem& item, TCollectionNotification action)>;

  using TCollection::TCollection;

  // Returns a key for RemoveListener.
  int AddListener(TListener listener);
  void RemoveListener(int key);

protected:
  // The collection's own reaction to a new item, before the listeners hear of it.
  virtual void ItemAdded(TCollectionItem&) {}
  void Notify(TCollectionItem& item, TCollectionNotification action) override;

private:
  std::vector<std::pair<int, TListener>> Listeners;
  int NextKey = 1;
};
