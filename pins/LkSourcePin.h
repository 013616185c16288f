#pragma once

// The output pin: linked to any number of sinks, directly or through converters.

#include "pins/LkPin.h"
#include "platform/Component.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class TLkSinkPin;

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
  // After a send: reorders when a recipient asked to be served later.
  void ReorderIfDirty();

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
  bool Busy = false;  // guards the recursive dependency walk
  // Set while the source removes an entry. Senders read it under the component lock, which a
  // removal lends away while it waits for deliveries in flight: hence atomic.
  std::atomic<bool> Disconnecting{false};
};
