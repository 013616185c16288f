#pragma once

// The pin bookkeeping that needs no owner component: links, state groups, paths and storage.

#include "pins/LkDestroyLock.h"
#include "pins/LkObject.h"
#include "pins/LkOperations.h"
#include "pins/LkStreamTypeRegistry.h"
#include "platform/Component.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class TFiler;
class TLayoutReader;
class TLayoutWriter;
class TLkFormatConverter;
class TLkPinList;
class TLkStateDispatcher;

// All pin bookkeeping that needs no owner component.
class TLkBasicPin : public TLkPinObject {
public:
  PUBLISHED_CLASS_INFO

  // Frees a pin in two phases: BeforeDestruction unlinks it while it is whole, then it is deleted.
  // A pin deleted directly still unlinks, but without what its most derived class adds.
  static void Free(TLkBasicPin* pin);
  ~TLkBasicPin() override;

  TComponent* GetOwner() const override { return nullptr; }
  TComponent* GetRoot() const;
  std::string GetRootName() const;
  // The owner's root is being destroyed.
  bool IsOwnerDestroying() const;
  virtual bool IsDesigning() const;
  virtual TLkPinKind GetKind() const = 0;
  // The pin stands for one a layout names that does not exist yet (a TLkUnloadedPin).
  virtual bool IsPlaceholder() const { return false; }

  // The pin implements the interface (a stream type it accepts, or a pin interface).
  bool QueryPeerInterface(const TGUID& iid) const;
  // What arrives through any type interface of the pin; 0 unless a class overrides it.
  virtual uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags);

  // Makes (or, with none, drops) a link; true when the link exists afterwards or nothing had to
  // change, false when it was refused (a stop pending on a lock involved refuses it too).
  // `afterPin` orders delivery behind another sink. Dropping a link is never refused.
  [[nodiscard]] bool Connect(TLkBasicPin* pin) { return ConnectAfter(pin, nullptr); }
  [[nodiscard]] virtual bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) = 0;
  // Whether a link with `peer` may be made.
  virtual bool CanLinkTo(TLkBasicPin* peer) = 0;
  // Both pins at design time or both at run time, unless a converter owns one of them. Placeholders
  // count as design time, so at run time no real pin links to one.
  static bool ModesAllowLink(const TLkBasicPin& a, const TLkBasicPin& b);
  virtual bool CanOrderAfter(TLkBasicPin* pin, TLkBasicPin* afterPin);
  // Records a link (a source adds a sink entry).
  [[nodiscard]] virtual bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) = 0;
  // Drops the link with `pin`.
  virtual void RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) = 0;
  // Called on the old peer after a link was dropped.
  virtual void Released() {}
  // Drops every link.
  virtual void UnlinkAll() = 0;
  // Called after the pin's links changed.
  virtual void LinksChanged() {}
  // Sends an operation: a source to its sinks, a sink upstream to its source. Returns the
  // recipients' answer where there is one recipient, else 0.
  virtual uint8_t Notify(TLkNotifyOperation& operation) = 0;

  // State groups: pins that share one state through a named dispatcher.
  TLkStateDispatcher* Dispatcher() const { return Dispatcher_; }
  bool IsStateLinked() const { return Dispatcher_ != nullptr; }
  bool IsInGroup(const TLkStateDispatcher* group) const { return group && Dispatcher_ == group; }
  bool IsGroupedWith(const TLkBasicPin* pin) const { return Dispatcher_ && pin && pin->Dispatcher_ == Dispatcher_; }
  // Makes a state link: joins the peer's group, or takes the peer into this pin's group, or makes
  // a new group named after the root for both. Refused when CanLinkTo refuses.
  // Refused too while a stop is pending on a lock involved.
  [[nodiscard]] bool JoinState(TLkBasicPin* pin) { return JoinStateAfter(pin, nullptr); }
  [[nodiscard]] bool JoinStateAfter(TLkBasicPin* pin, TLkBasicPin* afterPin);
  // Joins the group of that name (of this pin's mode), making it when there is none.
  [[nodiscard]] bool JoinStateByName(const std::string& name);
  // Enters a group after leaving any other; every member must accept the pin.
  [[nodiscard]] bool JoinGroup(TLkStateDispatcher* group) { return JoinGroupAfter(group, nullptr); }
  [[nodiscard]] bool JoinGroupAfter(TLkStateDispatcher* group, TLkBasicPin* afterPin);
  virtual bool CanJoinGroup(TLkStateDispatcher* group);
  // Leaves the group; a group left with one member dissolves.
  void LeaveGroup();
  // Delivers to the other members of the pin's group (or to `onlyPin` alone); always 0.
  uint8_t SendToGroup(TLkNotifyOperation& operation, uint8_t flags, TLkBasicPin* onlyPin);
  // The state type between this pin and a peer: this pin's types from the last registered, the
  // first the peer supports; failing that, for a sink peer, a converter's (then `converter` names
  // the class to make, or the existing one). Null when there is none.
  virtual TGUID FindStateType(TLkBasicPin* peer, TLkFormatConverterClass* converter = nullptr,
                              TLkFormatConverter** existing = nullptr);

  virtual bool DirectlyDependsOn(TLkBasicPin* pin);
  virtual bool DependsOn(TLkBasicPin* pin);
  virtual TGUID GetLinkType(TLkBasicPin* pin);
  virtual TLkBasicPin* GetAfterPin(TLkBasicPin* pin);
  virtual int GetLinkCount() = 0;
  virtual TLkBasicPin* GetLinkedPin(int index) = 0;
  virtual TLkBasicPin* GetLinkAfterPin(int index) = 0;
  bool IsLinked() { return GetLinkCount() > 0 || IsStateLinked(); }
  virtual bool IsLinkedTo(TLkBasicPin* pin);
  virtual bool IsLinkedThroughConverter(TLkBasicPin* pin);

  // Paths. Display path: root "." owner "." property path, a pin of a list written as the list's
  // path "." pin name; identifier path: the same with "._Pin" index for a pin of a list.
  virtual std::string GetDisplayPath(bool withRoot);
  virtual std::string GetIdentPath(bool withRoot);
  // The paths without the root and owner names.
  std::string GetRelativePath();
  std::string GetRelativeIdentPath();
  std::string GetOwnerName() const;

  // Links written to the layout: Form, then SourcePin (sinks) or SinkPins (sources).
  void DefineProperties(TFiler& filer) override;
  // Whether the pin writes link properties (and so Form).
  bool IsStored() { return LinksStored() || StoresState() || StoresStateConverter(); }
  // Whether the pin writes its stream links (SourcePin or SinkPins).
  virtual bool LinksStored() { return false; }
  // State: the group's name (or, across roots, the name and the other roots' members).
  bool StoresState();
  // StateConverter: a sink in a group through a converter.
  bool StoresStateConverter();
  void ReadState(TLayoutReader& reader);
  void WriteState(TLayoutWriter& writer);
  // StateConverter: (State value, 'input type', 'output type').
  void ReadStateConverter(TLayoutReader& reader);
  void WriteStateConverter(TLayoutWriter& writer);
  // Reads the pin's link property: replaces placeholders that name this pin, then links to every
  // peer the value names (found by path, or a placeholder standing for it).
  virtual void ReadLinks(TLayoutReader& reader);
  virtual void WriteLinks(TLayoutWriter& writer);
  // Links placeholders that name this pin to it, replaying what was asked of them, and frees them.
  void ResolvePlaceholders();
  // A link or a membership that a layout (or a placeholder's replay) asks for. One that is refused
  // (the pins changed since the layout was written, or a stop is pending) is left out, like every
  // link the reader cannot make.
  void ConnectAsStored(TLkBasicPin* peer, TLkBasicPin* afterPin);
  void JoinStateAsStored(const std::string& name);
  // The root name read from the layout's Form, which paths read afterwards are re-rooted from.
  const std::string& LoadedRootName() const { return LoadedRootName_; }
  void SetLoadedRootName(const std::string& name) { LoadedRootName_ = name; }

  TLkDestroyLock& DestroyLock() { return DestroyLock_; }
  TLkPinList* OwningList() const { return OwningList_; }
  void SetOwningList(TLkPinList* list) { OwningList_ = list; }
  TLkPinList* OwnerListAtCreation() const { return OwnerList_; }

protected:
  friend class TLkStateDispatcher;
  TLkBasicPin(ILkLock* componentLock, TLkPinList* ownerList);
  // Before joining a group: a sink drops its stream source.
  virtual void BeforeJoinGroup() {}
  // Re-sync: the members that hold state tell the group, or the changed pin, what it is.
  void ResyncGroup();
  // First phase of destruction: unlinks the pin and tells every pin it goes, while it is whole.
  // Runs once; overrides call the base.
  virtual void BeforeDestruction();
  // Declares that the pin implements an interface, so that peers and negotiation find it.
  void Implement(const TGUID& iid);
  bool DestructionBegun() const { return DestructionBegun_.load(); }
  // The name of the layout property that holds the pin's links; none for pins that store none.
  virtual const char* LinkPropertyName() const { return nullptr; }
  // A path read from the layout, re-rooted from the loaded root name to the pin's root.
  std::string Reroot(const std::string& path) const;

private:
  // Set by the group the pin enters or leaves.
  void SetDispatcher(TLkStateDispatcher* group) { Dispatcher_ = group; }
  // The pin's property path in its owner (empty when it is not found).
  std::string PropertyPath(bool ident) const;

  TLkPinList* OwningList_ = nullptr;
  TLkPinList* OwnerList_;
  std::string LoadedRootName_;
  TLkDestroyLock DestroyLock_;
  TLkStateDispatcher* Dispatcher_ = nullptr;
  std::vector<TGUID> Interfaces;
  // Read by delivering threads while the destroying thread sets it.
  std::atomic<bool> DestructionBegun_{false};
};

// Frees pins through TLkBasicPin::Free.
struct TLkPinDeleter {
  void operator()(TLkBasicPin* pin) const { TLkBasicPin::Free(pin); }
};
template <class Pin>
using TLkPinPtr = std::unique_ptr<Pin, TLkPinDeleter>;
