#pragma once

// The pin framework: pins owned by components, linked source to sinks, agreeing on a stream type
// (a GUID) directly or through a format converter the framework inserts by itself.

#include "pins/LkDestroyLock.h"
#include "pins/LkHandler.h"
#include "pins/LkLock.h"
#include "pins/LkOperations.h"
#include "pins/LkStreamTypeRegistry.h"
#include "platform/Component.h"
#include "platform/Exception.h"
#include "platform/LkSync.h"

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class TLayoutReader;
class TLayoutWriter;
class TLkFormatConverter;
class TLkPinList;
class TLkUnloadedPin;
struct TLkPathRef;
class TLkSinkPin;
class TLkSourcePin;
class TLkStateDispatcher;

// The framework's error: a pin that depends on itself through its links.
class ELkException : public Exception {
public:
  using Exception::Exception;
};

inline constexpr const char* LkSelfDependencyMessage =
    "The pin depends on itself. Please protect with functional dependency.";

// The interface through which every pin is handed to handlers as a peer.
inline constexpr TGUID IID_ILkBasicPin = "{2BFF1BE1-1698-4CFA-A427-9E0801C5B357}"_guid;

enum class TLkPinKind { Source = 0, Sink = 1, State = 2 };

// A framework object with a lock of its own; pins and pin lists also know their owner's component
// lock and lend it away when they wait long.
class TLkObject : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  explicit TLkObject(ILkLock* componentLock = nullptr) : ComponentLock_(componentLock) {}

  // Refused (empty) while another thread's stop is pending on the object's lock: the caller skips
  // its work and reports the refusal.
  TLkLockSection ReadLock() { return Lock_.ReadLock(ComponentLock_); }
  TLkLockSection WriteLock() { return Lock_.WriteLock(ComponentLock_); }
  // Never refused: waits for a pending stop to end (see TLkLock::WaitingLock). For queries, which
  // have no refusal to report, and for work that must not be skipped once begun.
  TLkLockSection WaitingLock() { return Lock_.WaitingLock(ComponentLock_); }
  TLkLockSection UnlockAll() { return Lock_.UnlockAllSection(); }
  TLkLock& Lock() { return Lock_; }
  ILkLock* ComponentLock() const { return ComponentLock_; }

private:
  TLkLock Lock_;
  ILkLock* ComponentLock_;
};

// Anything that takes part in links: told when a pin goes or is replaced.
class TLkPinObject : public TLkObject {
public:
  PUBLISHED_CLASS_INFO
  using TLkObject::TLkObject;

  virtual void PinDestroying(TLkBasicPin* pin);
  virtual void PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin);
};

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

// One stream type a pin offers or accepts, with its handler. The last registered is preferred.
struct TLkTypeEntry {
  TGUID Type;
  TLkHandler Handler;
};

// A pin owned by a component, with a type table.
class TLkPin : public TLkBasicPin {
public:
  PUBLISHED_CLASS_INFO

  TComponent* GetOwner() const override { return Owner_; }
  const std::vector<TLkTypeEntry>& Types() const { return Types_; }
  // Registers a type; a type already in the table keeps its place and gets the new handler.
  void AddType(const TGUID& type, TLkHandler handler = {});
  // The handler for a type: its entry's, the type's default handler when the entry has none, and
  // none when the pin has no entry for the type.
  TLkHandler HandlerFor(const TGUID& type);
  virtual TGUID GetCurrentType() = 0;
  TGUID FindStateType(TLkBasicPin* peer, TLkFormatConverterClass* converter = nullptr,
                      TLkFormatConverter** existing = nullptr) override;

protected:
  TLkPin(TComponent* owner, ILkLock* componentLock, TLkPinList* ownerList);

  // Nested sends from this pin; sends beyond a limit raise ELkException.
  std::atomic<int> ReentryDepth{0};

private:
  static uint8_t DefaultTypeHandler(void* self, TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                    TLkNotifyOperation& operation);
  TComponent* Owner_;
  std::vector<TLkTypeEntry> Types_;
};

// A pin that carries a stream of operations.
class TLkStreamPin : public TLkPin {
public:
  PUBLISHED_CLASS_INFO

protected:
  using TLkPin::TLkPin;
};

// One sink of a source: who receives (the sink, or the input of a converter in between), after
// which other sink, over which type, through which handler, and how late it is served.
struct TLkSinkEntry {
  TLkBasicPin* Target = nullptr;
  TLkBasicPin* Sink = nullptr;
  TLkBasicPin* AfterPin = nullptr;
  TGUID Type;
  TLkHandler Handler;
  int Weight = 0;
  // Deliveries through the entry in progress: its removal waits for them to end.
  std::atomic<int>* InFlight = nullptr;
};

// An output: linked to any number of sinks.
class TLkSourcePin : public TLkStreamPin {
public:
  PUBLISHED_CLASS_INFO

  explicit TLkSourcePin(TComponent* owner, ILkLock* componentLock = nullptr);
  ~TLkSourcePin() override;

  TLkPinKind GetKind() const override { return TLkPinKind::Source; }
  int GetSinkCount();
  TLkBasicPin* GetSink(int index);

  // A source never makes a link itself: it checks the order and asks the pin to link to it.
  bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  bool CanLinkTo(TLkBasicPin* peer) override;
  bool CanOrderAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  void RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) override;
  void UnlinkAll() override;

  bool DirectlyDependsOn(TLkBasicPin* pin) override;
  bool DependsOn(TLkBasicPin* pin) override;
  TGUID GetLinkType(TLkBasicPin* pin) override;
  TLkBasicPin* GetAfterPin(TLkBasicPin* pin) override;
  int GetLinkCount() override { return GetSinkCount(); }
  TLkBasicPin* GetLinkedPin(int index) override { return GetSink(index); }
  TLkBasicPin* GetLinkAfterPin(int index) override;
  bool IsLinkedTo(TLkBasicPin* pin) override;
  bool IsLinkedThroughConverter(TLkBasicPin* pin) override;
  TGUID GetCurrentType() override;

  // Sends to every sink, in the current order, on the calling thread; each handler runs to its end
  // before the next sink is served. Raises ELkException when sends nest deeper than 200.
  uint8_t Notify(TLkNotifyOperation& operation) override { return NotifyOne(nullptr, operation); }
  // The same, to the entries of one sink only.
  uint8_t NotifyOne(TLkBasicPin* sink, TLkNotifyOperation& operation);

  // Declares that this output is computed from `sink`: linking the output back into it is refused.
  void AddDependency(TLkSinkPin* sink);
  // The inserted converters, oldest first.
  int ConverterCount();

  // What the source would link with `sink` over: a type it offers directly, through one of its
  // converters, or through a new converter of a registered class; a null type when none.
  struct TLinkType {
    TGUID Type;
    TLkFormatConverterClass NewConverter = nullptr;
    TLkFormatConverter* Existing = nullptr;
  };
  TLinkType FindLinkType(TLkBasicPin* sink, bool allowConverters, bool allowRegistered);

  void PinDestroying(TLkBasicPin* pin) override;
  void PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin) override;

  bool LinksStored() override { return GetSinkCount() > 0; }
  // SinkPins: one item per sink, an identifier path or a list (identifier path, [after-pin,]
  // 'display path').
  void ReadLinks(TLayoutReader& reader) override;
  void WriteLinks(TLayoutWriter& writer) override;
  // Reads one SinkPins item and links the sink it names.
  void ReadSinkItem(TLayoutReader& reader);

protected:
  const char* LinkPropertyName() const override { return "SinkPins"; }
  // Sends a connect notice to a newly linked sink through its entry's handler.
  void SendConnectNoticeTo(TLkBasicPin* sink);
  // A sink has just been linked (after its connect notice), by the sink's request or, for the
  // second hook, by this source's own. Stream sources catch the sink up with their stream there.
  virtual void SinkLinked(TLkBasicPin*) {}
  virtual void SinkLinkedFromSource(TLkBasicPin*) {}

private:
  friend class TLkSinkPin;
  friend class TLkUnloadedPin;
  // Adds the entry (with a converter when one is needed); answers the pin that delivers to the sink.
  TLkBasicPin* AddSinkEntry(TLkBasicPin* sink, TLkBasicPin* afterPin);
  // Takes the sink's entry out and waits until the deliveries through it have ended; then takes the
  // sink out of the converters and frees converters left unused.
  void RemoveSinkEntry(TLkBasicPin* sink);
  TLkSinkEntry* FindEntry(TLkBasicPin* sink);
  void SetEntryType(TLkSinkEntry& entry, const TGUID& type);
  // Recipients that asked to be served later drift back; after-pins always come after their pin.
  void Reorder();

  // The entries change only under EntriesGuard too, a plain mutex held for a few instructions and
  // never while calling out; a send checks under it that an entry is still linked before calling.
  std::mutex EntriesGuard;
  std::vector<TLkSinkEntry> Entries;
  // Set when a weight rose or an entry or after-pin changed: the next send reorders.
  bool OrderDirty = false;
  // Counts the entries added and removed, so that a send sees at once that its copy still holds.
  std::atomic<uint64_t> EntriesVersion{0};
  // The entries' delivery counters. They live as long as the source, so that a send holding a
  // stale copy of an entry never touches freed memory; a removed entry's counter is used again.
  std::deque<std::atomic<int>> InFlightCounters;
  std::vector<std::atomic<int>*> FreeInFlightCounters;
  std::vector<std::unique_ptr<TLkFormatConverter, TComponentDeleter>> Converters;
  std::vector<TLkSinkPin*> DependsOnList;
  bool Busy = false;           // guards the recursive dependency walk
  bool Disconnecting = false;  // set while the source removes an entry
};

// An input: linked to at most one source, directly or through a converter.
class TLkSinkPin : public TLkStreamPin {
public:
  PUBLISHED_CLASS_INFO

  TLkSinkPin(TComponent* owner, TLkPinList* ownerList = nullptr, ILkLock* componentLock = nullptr);
  ~TLkSinkPin() override;

  TLkPinKind GetKind() const override { return TLkPinKind::Sink; }
  TLkBasicPin* GetSource() const { return Source_; }
  // The pin that actually delivers: the source, or the output of a converter in between.
  TLkBasicPin* ImmediateSource() const { return Immediate_; }
  // The type this sink chose for its link, and its own handler for it (for upstream sends).
  TGUID GetCurrentType() override { return Type_; }
  TLkHandler CurrentHandler() const { return Handler_; }

  bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  bool CanLinkTo(TLkBasicPin* peer) override;
  bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  void RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) override;
  void UnlinkAll() override;

  bool DependsOn(TLkBasicPin* pin) override;
  TGUID GetLinkType(TLkBasicPin* pin) override;
  TLkBasicPin* GetAfterPin(TLkBasicPin* pin) override;
  int GetLinkCount() override { return Source_ ? 1 : 0; }
  TLkBasicPin* GetLinkedPin(int index) override { return index == 0 ? Source_ : nullptr; }
  TLkBasicPin* GetLinkAfterPin(int index) override;
  bool IsLinkedTo(TLkBasicPin* pin) override { return pin && pin == Source_; }
  bool IsLinkedThroughConverter(TLkBasicPin* pin) override;
  // Sends upstream to the (logical) source through the sink's own handler for its type.
  uint8_t Notify(TLkNotifyOperation& operation) override;

  void PinDestroying(TLkBasicPin* pin) override;

  // A sink in a state group stores its group, not its source.
  bool LinksStored() override { return Source_ && !IsStateLinked(); }
  // SourcePin: the source's identifier path, or (identifier path, 'display path'), either wrapped
  // with the after-pin's identifier path as ((source) afterPin).
  void ReadLinks(TLayoutReader& reader) override;
  void WriteLinks(TLayoutWriter& writer) override;

protected:
  const char* LinkPropertyName() const override { return "SourcePin"; }
  // Stream sinks accept any source whose type negotiation succeeds, without a sink-side check.
  void SetSkipAcceptance(bool skip) { SkipAcceptance = skip; }
  void BeforeJoinGroup() override { DropLink(); }
  void LinksChanged() override { ResyncGroup(); }

private:
  friend class TLkSourcePin;
  friend class TLkUnloadedPin;
  friend class TLkBasicPin;
  void DropLink();
  // Makes `source` this sink's source without the link checks: for converters kept by groups.
  void LinkFrom(TLkSourcePin& source);
  // Joins `group` fed by the output of `converter`, whose input becomes the member's connection.
  // `made`, when set, is that converter made for the join from `from` to `to`; the group keeps it
  // once the sink is a member. Refused (false) while a stop is pending on the group.
  bool JoinGroupThrough(TLkStateDispatcher& group, TLkFormatConverter& converter,
                        std::unique_ptr<TLkFormatConverter, TComponentDeleter> made, const TGUID& from, const TGUID& to,
                        TLkBasicPin* afterPin);
  // Chooses the type against the delivering pin (`chosen` is the type that pin chose) and takes
  // its own handler for it.
  void ChooseType(const TLkPin& delivering, const TGUID& chosen);

  TLkBasicPin* Source_ = nullptr;
  TLkBasicPin* Immediate_ = nullptr;
  TLkHandler Handler_;
  TGUID Type_;
  bool SkipAcceptance = false;
  std::vector<TLkSourcePin*> DependentSources;  // sources whose output is computed from this sink
};

// A pin whose value is a state shared by a group of pins: it links only through state groups.
class TLkStatePin : public TLkPin {
public:
  PUBLISHED_CLASS_INFO

  TLkStatePin(TComponent* owner, ILkLock* componentLock = nullptr);
  ~TLkStatePin() override;

  TLkPinKind GetKind() const override { return TLkPinKind::State; }
  bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  bool CanLinkTo(TLkBasicPin* peer) override;
  bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) override { return JoinStateAfter(pin, afterPin); }
  void RemoveLink(TLkBasicPin*, bool) override {}
  void UnlinkAll() override { LeaveGroup(); }
  int GetLinkCount() override { return 0; }
  TLkBasicPin* GetLinkedPin(int) override { return nullptr; }
  TLkBasicPin* GetLinkAfterPin(int) override { return nullptr; }
  bool IsLinkedTo(TLkBasicPin* pin) override { return IsGroupedWith(pin); }
  TGUID GetCurrentType() override;
  // Sends to the pin's group.
  uint8_t Notify(TLkNotifyOperation& operation) override { return SendToGroup(operation, 0, nullptr); }
  void LinksChanged() override { ResyncGroup(); }
};

// A named group of state-linked pins. Each member is reached through a connection pin: the
// member itself, or the input of a converter the group keeps. A group made at design time and one
// made at run time live in different registries; names are unique within one.
class TLkStateDispatcher : public TLkPinObject {
public:
  PUBLISHED_CLASS_INFO

  struct TMember {
    TLkBasicPin* Connection;
    TLkBasicPin* Member;
    TLkBasicPin* AfterPin;
  };

  // Makes and registers a group named after `root`: root name + "Link" + the smallest free number.
  static TLkStateDispatcher* Create(TComponent* root, bool designing);
  static TLkStateDispatcher* CreateNamed(const std::string& name, bool designing);
  static TLkStateDispatcher* Find(const std::string& name, bool designing);
  // The group of that name, made (and `created` set) when there is none.
  static TLkStateDispatcher* FindOrCreateNamed(const std::string& name, bool designing, bool& created);
  ~TLkStateDispatcher() override;

  const std::string& Name() const { return Name_; }
  bool Designing() const { return Designing_; }
  int GetMemberCount();
  TLkBasicPin* GetMember(int index);
  TLkBasicPin* GetConnectionPin(int index);
  TLkBasicPin* GetMemberAfterPin(int index);
  std::vector<TMember> Members();
  // The same, or none while a stop is pending on the group: for sends and joins, refused then.
  std::optional<std::vector<TMember>> MembersUnlessStopped();
  // Refused (false) while a stop is pending on the group.
  [[nodiscard]] bool AddMember(TLkBasicPin* connection, TLkBasicPin* member) {
    return AddMemberAfter(connection, member, nullptr);
  }
  [[nodiscard]] bool AddMemberAfter(TLkBasicPin* connection, TLkBasicPin* member, TLkBasicPin* afterPin);
  // Frees a group that has no members (one made for a join that was refused).
  void FreeIfEmpty();
  // Takes the member out and answers how many are left; at none the group has freed itself.
  int RemoveMember(TLkBasicPin* member);
  // The converter a member is reached through, if any.
  TLkFormatConverter* ConverterOf(TLkBasicPin* member);
  // Keeps a converter that reaches a member, made for the types `from` to `to`.
  void KeepConverter(std::unique_ptr<TLkFormatConverter, TComponentDeleter> converter, const TGUID& from,
                     const TGUID& to);
  int ConverterCount();
  std::vector<TLkFormatConverter*> Converters();
  // The types a kept converter was made for.
  std::pair<TGUID, TGUID> ConverterTypes(const TLkFormatConverter* converter);

  void PinDestroying(TLkBasicPin* pin) override;
  void PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin) override;

  // Writing State across roots: which roots have written their list, and how many members wrote.
  std::vector<TComponent*> SavedRoots;
  int SavedCount = 0;

private:
  TLkStateDispatcher(std::string name, bool designing);
  std::string Name_;
  bool Designing_;
  struct TKept {
    std::unique_ptr<TLkFormatConverter, TComponentDeleter> Converter;
    TGUID From;
    TGUID To;
  };
  std::vector<TMember> Members_;
  std::vector<TKept> Converters_;
};

// A hidden component between two stream types: its input takes what the source sends and its
// output sends the converted operations on to the sinks.
class TLkFormatConverter : public TComponent {
public:
  PUBLISHED_CLASS_INFO

  TLkSinkPin& Input() const { return *Input_; }
  TLkSourcePin& Output() const { return *Output_; }

protected:
  TLkFormatConverter() : TComponent(nullptr) {}
  // Called once by the constructor of each converter class; the output depends on the input.
  void SetPins(TLkPinPtr<TLkSinkPin> input, TLkPinPtr<TLkSourcePin> output);
  void Destroying() override;

private:
  TLkPinPtr<TLkSinkPin> Input_;
  TLkPinPtr<TLkSourcePin> Output_;
};

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

// Stands for a pin that the layout names but that does not exist yet: records the links asked of it
// and hands them over when the real pin appears (ResolvePlaceholders). At run time no real pin links
// to it (it reports design mode), so a link between two pins of a layout is made when the second
// of its ends is read.
class TLkUnloadedPin : public TLkBasicPin {
public:
  PUBLISHED_CLASS_INFO

  struct TRequest {
    TLkBasicPin* Peer;
    TLkBasicPin* AfterPin;
  };

  // Made through LkPlaceholders::Create, which registers (and owns) it.
  TLkUnloadedPin(std::string identPath, std::string displayPath, TComponent* root, TLkPinKind kind, bool designing);
  ~TLkUnloadedPin() override;

  TLkPinKind GetKind() const override { return Kind; }
  bool IsDesigning() const override { return true; }
  std::string GetDisplayPath(bool withRoot) override;
  std::string GetIdentPath(bool withRoot) override;
  bool CanLinkTo(TLkBasicPin*) override { return true; }
  // Records the request; a source peer also gets the placeholder as a sink, a sink peer takes it
  // as its source.
  bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) override { return ConnectAfter(pin, afterPin); }
  void RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) override;
  void Released() override;
  void UnlinkAll() override;
  int GetLinkCount() override { return static_cast<int>(Requests_.size()); }
  TLkBasicPin* GetLinkedPin(int index) override;
  TLkBasicPin* GetLinkAfterPin(int index) override;
  bool IsLinkedTo(TLkBasicPin* pin) override;
  uint8_t Notify(TLkNotifyOperation&) override { return 0; }
  void PinDestroying(TLkBasicPin* pin) override;
  void PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin) override;

  const std::vector<TRequest>& Requests() const { return Requests_; }
  TComponent* RootComponent() const { return Root_; }
  bool WasDesigning() const { return Designing; }
  // A kept placeholder does not free itself; clearing the flag lets it go when it is unused.
  void SetKept(bool kept);
  // Held by a pin list, which frees it.
  void SetPending(bool pending) { Pending = pending; }
  // The state group the pin it stands for joins when it appears.
  const std::string& PendingGroup() const { return PendingGroup_; }
  void SetPendingGroup(const std::string& name) { PendingGroup_ = name; }

private:
  std::string IdentPath;
  std::string DisplayPath;
  TComponent* Root_;
  TLkPinKind Kind;
  bool Designing;
  std::vector<TRequest> Requests_;
  std::string PendingGroup_;
  bool Kept = false;
  bool Pending = false;
  bool InRelease = false;
};

// The placeholders, owned by the registry until they are resolved or released.
namespace LkPlaceholders {
TLkUnloadedPin* Create(const std::string& identPath, const std::string& displayPath, TComponent* root, TLkPinKind kind);
// Frees a placeholder now (it leaves the registry).
void Free(TLkUnloadedPin* placeholder);
// Links the placeholder to `pin` by replaying what was asked of it (last request first), tells
// every pin that `pin` replaces it, and frees it.
void ResolveOnto(TLkUnloadedPin* placeholder, TLkBasicPin& pin);
std::vector<TLkUnloadedPin*> All();
}  // namespace LkPlaceholders

// Path operations.
namespace LkPaths {
// `path` with its root part `loadedRoot` replaced by `currentRoot`.
std::string ReplaceRoot(const std::string& path, const std::string& loadedRoot, const std::string& currentRoot);
// The pin that `identPath` (else `displayPath`) names, seen from `readerRoot`; none when none does.
TLkBasicPin* Find(TComponent* readerRoot, const std::string& identPath, const std::string& displayPath);
// The same, making a placeholder of `kind` when no pin is found.
TLkBasicPin* FindOrCreate(TComponent* readerRoot, const std::string& identPath, const std::string& displayPath,
                          TLkPinKind kind);
// Whether `pin`'s identifier paths name `identPath`, as step one of Find decides.
bool IdentMatches(TLkBasicPin& pin, TComponent* readerRoot, const std::string& identPath);
}  // namespace LkPaths

// The process-wide registry of all pins, in the order they were created.
namespace LkPinRegistry {
TLkCriticalSection& Lock();
// A snapshot; check IsRegistered before using a pin after calling out.
std::vector<TLkBasicPin*> Pins();
bool IsRegistered(const TLkBasicPin* pin);
}  // namespace LkPinRegistry
