#pragma once

// A component's variable set of pins, published as one property.

#include "pins/LkObject.h"
#include "platform/Component.h"

#include <functional>
#include <string>
#include <vector>

class TFiler;
class TLayoutReader;
class TLayoutWriter;
struct TLkPathRef;

// A component's variable set of inputs or outputs, published as one property: it numbers its pins,
// may name them, takes part in their paths, and stores the links of all of them in its Pins
// property. While a layout loads it may hold placeholders for pins not created yet; the real pins
// take their places when they are added.
class TLkPinList : public TLkObject {
public:
  PUBLISHED_CLASS_INFO

  TLkPinList(TComponent* owner, bool ownsPins, ILkLock* componentLock);
  ~TLkPinList() override;

  TComponent* Owner() const { return Owner_; }
  TPersistent* GetOwner() const override { return Owner_; }
  bool OwnsPins() const { return OwnsPins_; }

  // The pins, without placeholders (which are purged first at run time, once loading is over).
  int GetCount();
  virtual void SetCount(int count);
  // Raises EListError for an index outside the pins.
  TLkBasicPin* GetPin(int index);
  // The custom name, else "Pin [index]".
  std::string GetPinName(int index);
  // A name equal to the default is stored as none; an index beyond the pins is ignored.
  void SetPinName(int index, const std::string& name);
  int IndexOf(TLkBasicPin* pin);
  void Add(TLkBasicPin* pin);
  // A placeholder is appended and held; a real pin takes the place of the first placeholder, if
  // there is one, which is resolved onto it.
  void AddNamed(TLkBasicPin* pin, const std::string& name);
  void Delete(int index);
  void Remove(TLkBasicPin* pin);
  void Exchange(int first, int second);
  void Clear();
  // Reset whenever the pins or their names change; editors read it.
  int LastIndicatedCount() const { return LastIndicatedCount_; }

  void DefineProperties(TFiler& filer) override;
  virtual bool PinsStored();
  virtual void ReadPins(TLayoutReader& reader);
  virtual void WritePins(TLayoutWriter& writer);

protected:
  // All entries, placeholders included.
  int EntryCount() const { return static_cast<int>(Entries.size()); }
  TLkBasicPin* EntryPin(int index) const { return Entries[static_cast<size_t>(index)].Pin; }
  // Links one item of Pins: makes sure entry `index` exists (a placeholder when no pin of that
  // path does) and links it to the peer that the paths name.
  void LinkItem(int index, TLkPinKind ownKind, const TLkPathRef& ref, TLkPinKind peerKind, TLayoutReader& reader);
  // A path read from the layout, re-rooted from the list's loaded root name to its owner's root.
  std::string Reroot(const std::string& path) const;
  // The entry at `index`, made first when missing (each missing entry is the pin of that slot's
  // path, or a placeholder of `kind` for it).
  TLkBasicPin* EnsureEntry(int index, TLkPinKind kind, TComponent* root);
  // Resolves onto a pin of this list the placeholder that peers made for its path before it
  // existed, if there is one.
  void ResolvePinPlaceholders(TLkBasicPin* pin);

private:
  struct TEntry {
    std::string Name;
    TLkBasicPin* Pin;
  };
  std::string DefaultName(int index) const { return "Pin [" + std::to_string(index) + "]"; }
  void PurgePlaceholders();
  void RemoveEntry(int index);
  void Changed();

  TComponent* Owner_;
  bool OwnsPins_;
  std::vector<TEntry> Entries;
  int PlaceholderCount = 0;
  int LastIndicatedCount_ = -1;
  std::string LoadedRootName_;
  bool Busy = false;  // placeholders being purged or owned pins being freed
};

// A pin list that creates and frees its pins itself as its count changes, between a minimum and
// a maximum.
class TLkPinListOwner : public TLkPinList {
public:
  PUBLISHED_CLASS_INFO

  using TCreatePin = std::function<TLkBasicPin*(TLkPinListOwner& list)>;
  using TDestroyPin = std::function<void(TLkPinListOwner& list, TLkBasicPin* pin)>;

  // Starts with `minimum` pins (a negative minimum counts as 0).
  TLkPinListOwner(TComponent* owner, ILkLock* componentLock, int minimum, int maximum, TCreatePin create,
                  TDestroyPin destroy);
  // Every pin passes through the destroy callback first.
  ~TLkPinListOwner() override;

  int Minimum() const { return Minimum_; }
  int Maximum() const { return Maximum_; }
  // Clamped to the minimum, then to the maximum; removed pins go last first, through the destroy
  // callback; new pins come from the create callback.
  void SetCount(int count) override;
  bool PinsStored() override { return true; }
  void ReadPins(TLayoutReader& reader) override;

private:
  TCreatePin Create;
  TDestroyPin Destroy;
  int Minimum_;
  int Maximum_;
};
