#include "pins/LkPins.h"

#include "platform/ScopeGuards.h"

#include <algorithm>
#include <array>
#include <exception>

namespace {

// Sends may nest this deep before the pin counts as depending on itself.
constexpr int MaxSendDepth = 200;
// Weights of recipients that asked to be served later stop growing here.
constexpr int MaxWeight = 10000;
constexpr int ServeLaterWeight = 4;

// The entries of one send: on the stack for the usual few sinks, so that a send allocates nothing.
class TEntryCopy {
public:
  void Add(const TLkSinkEntry& entry) {
    if (Count < Local.size()) Local[Count] = entry;
    else Spill.push_back(entry);
    ++Count;
  }
  size_t Size() const { return Count; }
  TLkSinkEntry& operator[](size_t i) { return i < Local.size() ? Local[i] : Spill[i - Local.size()]; }

private:
  std::array<TLkSinkEntry, 16> Local;
  std::vector<TLkSinkEntry> Spill;
  size_t Count = 0;
};

// A send to one sink through a converter must reach that sink only, but the converter's output
// sends on to all of its sinks. So the sender names the sink here for the length of the handler
// call; the first send on the thread from a source that serves that sink takes it as its own.
thread_local TLkBasicPin* OnlySinkDownstream = nullptr;

}  // namespace

uint8_t TLkSourcePin::NotifyOne(TLkBasicPin* sink, TLkNotifyOperation& operation) {
  TLkBasicPin* const downstream = std::exchange(OnlySinkDownstream, nullptr);
  TEntryCopy copy;
  uint64_t version;
  {
    const TLkLockSection read = ReadLock();
    if (!read) return 0;  // a stop is pending on the source: nothing is sent
    std::lock_guard guard(EntriesGuard);
    if (!sink && downstream && FindEntry(downstream)) sink = downstream;
    // Only the named sink's entries are copied, so that sharing a converter cannot hide them.
    for (const TLkSinkEntry& entry : Entries)
      if (!sink || entry.Sink == sink) copy.Add(entry);
    version = EntriesVersion;
  }
  // A converter shared by several sinks gets the operation once, through the first of its entries
  // that is still linked when its turn comes; the later ones stand by in case it is not.
  size_t lastFirst = 0;
  for (size_t i = 0; i < copy.Size(); ++i) {
    const bool throughConverter = copy[i].Target != copy[i].Sink;
    bool repeat = false;
    for (size_t j = 0; throughConverter && j < i && !repeat; ++j) repeat = copy[j].Target == copy[i].Target;
    if (!repeat) lastFirst = i;
  }
  if (ReentryDepth > MaxSendDepth) throw ELkException(LkSelfDependencyMessage);
  TLkDepthGuard depth(ReentryDepth);
  SendToGroup(operation, 0, nullptr);

  // A sink that fails does not keep the operation from the sinks after it: its error is raised
  // once they all have had it (the first error, when several fail). A pin that depends on itself
  // ends the send at once.
  std::exception_ptr failure;
  for (size_t i = 0; i < copy.Size(); ++i) {
    TLkSinkEntry& entry = copy[i];
    if (!entry.Handler) continue;
    uint8_t answer = 0;
    {
      // Refused only while this source is being destroyed.
      TLkDestroySection using_ = DestroyLock().Enter();
      if (!using_) continue;
      // Counted first: a sink taken out after this point waits for the call to end. Between the
      // copy and now another thread may have unlinked (and freed) it: when no entry came or went
      // since the copy it is still linked; otherwise look.
      TLkDeliveryGuard delivering(*entry.InFlight);
      if (EntriesVersion.load() != version) {
        std::lock_guard guard(EntriesGuard);
        const bool linked = std::any_of(Entries.begin(), Entries.end(), [&](const TLkSinkEntry& e) {
          return e.Sink == entry.Sink && e.Target == entry.Target && e.InFlight == entry.InFlight;
        });
        if (!linked) continue;
      }
      TLkLockSection lent = ComponentLock() ? ComponentLock()->UnlockAllSection() : TLkLockSection();
      TLkValueGuard only(OnlySinkDownstream, sink && entry.Target != entry.Sink ? sink : nullptr);
      try {
        answer = entry.Handler(entry.Target, entry.Type, i >= lastFirst ? lkLast : 0, operation);
      } catch (const ELkException&) {
        throw;
      } catch (...) {
        if (!failure) failure = std::current_exception();
      }
    }
    if (entry.Target != entry.Sink)
      for (size_t j = i + 1; j < copy.Size(); ++j)
        if (copy[j].Target == entry.Target) copy[j].Handler = {};
    if (answer & lkServeLater) {
      // The live entry, not the copy, is moved back.
      std::lock_guard guard(EntriesGuard);
      for (TLkSinkEntry& live : Entries)
        if (live.Sink == entry.Sink && live.Weight < MaxWeight) live.Weight += ServeLaterWeight;
      OrderDirty = true;
    }
  }

  ReorderIfDirty();
  if (failure) std::rethrow_exception(failure);
  return 0;
}

void TLkSourcePin::ReorderIfDirty() {
  // With every weight at 0 and the after-pins already in place, the order cannot change.
  {
    std::lock_guard guard(EntriesGuard);
    if (!OrderDirty) return;
  }
  // Refused under a pending stop: the order stays dirty and the next send reorders.
  const TLkLockSection write = WriteLock();
  if (write && !Disconnecting) Reorder();
}

void TLkSourcePin::Reorder() {
  std::lock_guard guard(EntriesGuard);
  bool weighted = false;
  for (TLkSinkEntry& entry : Entries)
    if (entry.Weight > 0) weighted |= --entry.Weight > 0;
  // Stable, so that recipients of equal weight keep their order; an insertion sort, because the
  // entries are few and nearly in order, and it needs no memory.
  for (size_t i = 1; i < Entries.size(); ++i)
    for (size_t j = i; j > 0 && Entries[j].Weight < Entries[j - 1].Weight; --j) std::swap(Entries[j], Entries[j - 1]);
  // An entry with an after-pin goes just behind its after-pin's entry when that lies further back.
  // Each move takes one entry strictly backwards; the bound stops a stored cycle of after-pins.
  const size_t count = Entries.size();
  size_t moves = 0;
  for (size_t i = 0; i < count && moves <= count * count;) {
    TLkBasicPin* after = Entries[i].AfterPin;
    const auto target = after ? std::find_if(Entries.begin() + static_cast<ptrdiff_t>(i) + 1, Entries.end(),
                                             [after](const TLkSinkEntry& e) { return e.Sink == after; })
                              : Entries.end();
    if (target == Entries.end()) {
      ++i;
      continue;
    }
    std::rotate(Entries.begin() + static_cast<ptrdiff_t>(i), Entries.begin() + static_cast<ptrdiff_t>(i) + 1,
                target + 1);
    ++moves;
  }
  OrderDirty = weighted;
}

uint8_t TLkSinkPin::Notify(TLkNotifyOperation& operation) {
  TLkBasicPin* source;
  TLkHandler handler;
  TGUID type;
  {
    const TLkLockSection read = ReadLock();
    if (!read) return 0;  // a stop is pending on the sink: nothing is sent
    source = Source_;
    handler = Handler_;
    type = Type_;
  }
  if (!source || !handler) return 0;
  TLkDestroySection using_ = DestroyLock().Enter();
  if (!using_) return 0;
  TLkLockSection lent = ComponentLock() ? ComponentLock()->UnlockAllSection() : TLkLockSection();
  return handler(source, type, lkLast, operation);
}
