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
#include <memory>
#include <string>
#include <vector>

class TLkFormatConverter;
class TLkPinList;
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

  TLkLockSection ReadLock() { return Lock_.ReadLock(ComponentLock_); }
  TLkLockSection WriteLock() { return Lock_.WriteLock(ComponentLock_); }
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

  virtual TComponent* GetOwner() const { return nullptr; }
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
  // change, false when it was refused. `afterPin` orders delivery behind another sink.
  bool Connect(TLkBasicPin* pin) { return ConnectAfter(pin, nullptr); }
  virtual bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) = 0;
  // Whether a link with `peer` may be made.
  virtual bool CanLinkTo(TLkBasicPin* peer) = 0;
  virtual bool CanOrderAfter(TLkBasicPin* pin, TLkBasicPin* afterPin);
  // Records a link (a source adds a sink entry).
  virtual bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) = 0;
  // Drops the link with `pin`.
  virtual void RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) = 0;
  // Called on the old peer after a link was dropped.
  virtual void Released() {}
  // Drops every link.
  virtual void UnlinkAll() = 0;
  // Called after the pin's links changed.
  virtual void LinksChanged() {}

  virtual bool DirectlyDependsOn(TLkBasicPin* pin);
  virtual bool DependsOn(TLkBasicPin* pin);
  virtual TGUID GetLinkType(TLkBasicPin* pin);
  virtual TLkBasicPin* GetAfterPin(TLkBasicPin* pin);
  virtual int GetLinkCount() = 0;
  virtual TLkBasicPin* GetLinkedPin(int index) = 0;
  virtual TLkBasicPin* GetLinkAfterPin(int index) = 0;
  bool IsLinked() { return GetLinkCount() > 0; }
  virtual bool IsLinkedTo(TLkBasicPin* pin);
  virtual bool IsLinkedThroughConverter(TLkBasicPin* pin);

  TLkDestroyLock& DestroyLock() { return DestroyLock_; }
  TLkPinList* OwningList() const { return OwningList_; }
  void SetOwningList(TLkPinList* list) { OwningList_ = list; }
  TLkPinList* OwnerListAtCreation() const { return OwnerList_; }

protected:
  TLkBasicPin(ILkLock* componentLock, TLkPinList* ownerList);
  // First phase of destruction: unlinks the pin and tells every pin it goes, while it is whole.
  // Runs once; overrides call the base.
  virtual void BeforeDestruction();
  // Declares that the pin implements an interface, so that peers and negotiation find it.
  void Implement(const TGUID& iid);

private:
  TLkPinList* OwningList_ = nullptr;
  TLkPinList* OwnerList_;
  TLkDestroyLock DestroyLock_;
  std::vector<TGUID> Interfaces;
  bool DestructionBegun = false;
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

protected:
  // Sends a connect notice to a newly linked sink through its entry's handler.
  void SendConnectNoticeTo(TLkBasicPin* sink);

private:
  friend class TLkSinkPin;
  // Adds the entry (with a converter when one is needed); answers the pin that delivers to the sink.
  TLkBasicPin* AddSinkEntry(TLkBasicPin* sink, TLkBasicPin* afterPin);
  // Takes the sink's entry out, and the sink out of the converters; frees converters left unused.
  void RemoveSinkEntry(TLkBasicPin* sink);
  TLkSinkEntry* FindEntry(TLkBasicPin* sink);
  void SetEntryType(TLkSinkEntry& entry, const TGUID& type);

  std::vector<TLkSinkEntry> Entries;
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

  void PinDestroying(TLkBasicPin* pin) override;

protected:
  // Stream sinks accept any source whose type negotiation succeeds, without a sink-side check.
  void SetSkipAcceptance(bool skip) { SkipAcceptance = skip; }

private:
  friend class TLkSourcePin;
  void DropLink();
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

// The process-wide registry of all pins, in the order they were created.
namespace LkPinRegistry {
TLkCriticalSection& Lock();
// A snapshot; check IsRegistered before using a pin after calling out.
std::vector<TLkBasicPin*> Pins();
bool IsRegistered(const TLkBasicPin* pin);
}  // namespace LkPinRegistry
