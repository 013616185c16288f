#pragma once

class TLkBasicPin;
class TLkPinObject;
class TLkPinList;
class TLkStateDispatcher;

// Hears what happens to pins, pin lists and state groups (design tools register one; the running
// application registers none). Every event has an empty default.
class ILkWatcher {
public:
  virtual ~ILkWatcher() = default;
  virtual void PinCreated(TLkBasicPin*) {}
  virtual void PinDestroying(TLkBasicPin*, bool /*keepPlaceholder*/) {}
  virtual void PinChanged(TLkBasicPin*) {}
  virtual void PinLinked(TLkBasicPin*, TLkPinObject* /*peerOrGroup*/) {}
  virtual void PinUnlinked(TLkBasicPin*, TLkPinObject* /*peerOrGroup*/) {}
  virtual void PinListCreated(TLkPinList*) {}
  virtual void PinListDestroying(TLkPinList*) {}
  virtual void PinListChanged(TLkPinList*) {}
  virtual void PinAdded(TLkPinList*, TLkBasicPin*, int /*index*/) {}
  virtual void PinRemoved(TLkPinList*, TLkBasicPin*, int /*index*/) {}
  virtual void PinsSwapped(TLkPinList*, TLkBasicPin*, int, TLkBasicPin*, int) {}
  virtual void StateGroupCreated(TLkStateDispatcher*) {}
  virtual void StateGroupDestroying(TLkStateDispatcher*, bool) {}
  virtual void StateGroupChanged(TLkStateDispatcher*) {}
};

// The process-wide watcher list. Each event goes to every watcher in list order; an exception one
// of them raises goes to the error hook and the next is called.
namespace LkWatchers {
void Add(ILkWatcher* watcher);
void Remove(ILkWatcher* watcher);

template <class Event>
void Tell(Event&& event);
void ForEach(void (*call)(ILkWatcher&, void*), void* context);
}  // namespace LkWatchers

template <class Event>
void LkWatchers::Tell(Event&& event) {
  ForEach([](ILkWatcher& watcher, void* context) { (*static_cast<Event*>(context))(watcher); }, &event);
}
