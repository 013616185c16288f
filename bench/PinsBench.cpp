// The pin layer's costs, each beside a reference measured in the same run: a component-lock
// section beside a plain std::mutex, a link and unlink beside a plain std::mutex, one send to 1, 3
// and 10 sinks and through a chain of 10 pass-through components beside plain virtual calls of the
// same handlers. The "allocs/op" counter shows that a send allocates nothing of its own.
#include "pins/LkPins.h"

#include "HeapCount.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr TGUID Data = "{DA7A0000-0000-0000-0000-00000000DA7A}"_guid;

// What every sink does with a delivery: count it (the same work in the reference).
struct IReceiver {
  virtual ~IReceiver() = default;
  virtual uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) = 0;
};

struct TPlainReceiver final : IReceiver {
  long Count = 0;
  uint8_t Receive(const TGUID&, TLkNotifyOperation&, uint8_t) override { return ++Count, 0; }
};

class TBenchSource : public TLkSourcePin {
public:
  explicit TBenchSource(TComponent* owner, ILkLock* lock = nullptr) : TLkSourcePin(owner, lock) {
    AddType(Data, TLkHandler::Of<&TBenchSource::Deliver>(this));
  }

private:
  uint8_t Deliver(TLkBasicPin* peer, const TGUID& type, uint8_t flags, TLkNotifyOperation& operation) {
    return peer->Receive(type, operation, flags);
  }
};

class TBenchSink : public TLkSinkPin {
public:
  explicit TBenchSink(TComponent* owner, ILkLock* lock = nullptr) : TLkSinkPin(owner, nullptr, lock) {
    Implement(Data);
  }
  uint8_t Receive(const TGUID&, TLkNotifyOperation& operation, uint8_t) override {
    ++Count;
    if (Next) Next->Notify(operation);
    return 0;
  }
  long Count = 0;
  TLkSourcePin* Next = nullptr;  // a pass-through component sends on
};

struct TBenchComponent : TComponent {
  TBenchComponent() : TComponent(nullptr) {}
  TLkLock Lock;
};

void LockReference(benchmark::State& state) {
  std::mutex mutex;
  for (auto _ : state) {
    mutex.lock();
    benchmark::ClobberMemory();
    mutex.unlock();
  }
}

void LockSection(benchmark::State& state) {
  TLkLock lock;
  for (auto _ : state) {
    TLkLockSection section = lock.WriteLock();
    benchmark::ClobberMemory();
  }
}

void LinkUnlink(benchmark::State& state) {
  std::unique_ptr<TBenchComponent, TComponentDeleter> a(new TBenchComponent), b(new TBenchComponent);
  TLkPinPtr<TBenchSource> source(new TBenchSource(a.get(), &a->Lock));
  TLkPinPtr<TBenchSink> sink(new TBenchSink(b.get(), &b->Lock));
  for (auto _ : state) {
    benchmark::DoNotOptimize(sink->Connect(source.get()));
    benchmark::DoNotOptimize(sink->Connect(nullptr));
  }
}

void SendReference(benchmark::State& state) {
  std::vector<std::unique_ptr<IReceiver>> receivers;
  for (int i = 0; i < state.range(0); ++i) receivers.push_back(std::make_unique<TPlainReceiver>());
  const TRef<TLkNotifyOperation> operation = MakeRef<TLkClockOperation>();
  for (auto _ : state) {
    for (size_t i = 0; i < receivers.size(); ++i)
      receivers[i]->Receive(Data, *operation, i + 1 == receivers.size() ? lkLast : 0);
    benchmark::ClobberMemory();
  }
}

void Send(benchmark::State& state) {
  std::unique_ptr<TBenchComponent, TComponentDeleter> a(new TBenchComponent), b(new TBenchComponent);
  TLkPinPtr<TBenchSource> source(new TBenchSource(a.get(), &a->Lock));
  std::vector<TLkPinPtr<TBenchSink>> sinks;
  for (int i = 0; i < state.range(0); ++i) {
    sinks.emplace_back(new TBenchSink(b.get(), &b->Lock));
    if (!sinks.back()->Connect(source.get())) return state.SkipWithError("a sink did not link");
  }
  const TRef<TLkNotifyOperation> operation = MakeRef<TLkClockOperation>();
  const long before = HeapAllocations();
  for (auto _ : state) source->Notify(*operation);
  ReportHeapAllocations(state, before);
}

constexpr int ChainLength = 10;

struct TPlainNode : IReceiver {
  IReceiver* Next = nullptr;
  uint8_t Receive(const TGUID& type, TLkNotifyOperation& operation, uint8_t flags) override {
    return Next ? Next->Receive(type, operation, flags) : 0;
  }
};

void ChainReference(benchmark::State& state) {
  std::vector<std::unique_ptr<TPlainNode>> nodes;
  for (int i = 0; i < ChainLength; ++i) nodes.push_back(std::make_unique<TPlainNode>());
  for (int i = 0; i + 1 < ChainLength; ++i) nodes[i]->Next = nodes[i + 1].get();
  const TRef<TLkNotifyOperation> operation = MakeRef<TLkClockOperation>();
  for (auto _ : state) {
    nodes.front()->Receive(Data, *operation, lkLast);
    benchmark::ClobberMemory();
  }
}

void Chain(benchmark::State& state) {
  // Source -> [sink, source] x 10: each component's input sends on through its output.
  std::vector<std::unique_ptr<TBenchComponent, TComponentDeleter>> components;
  std::vector<TLkPinPtr<TBenchSource>> sources;
  std::vector<TLkPinPtr<TBenchSink>> sinks;
  components.emplace_back(new TBenchComponent);
  sources.emplace_back(new TBenchSource(components.back().get(), &components.back()->Lock));
  for (int i = 0; i < ChainLength; ++i) {
    components.emplace_back(new TBenchComponent);
    TBenchComponent& component = *components.back();
    sinks.emplace_back(new TBenchSink(&component, &component.Lock));
    if (!sinks.back()->Connect(sources.back().get())) return state.SkipWithError("a sink did not link");
    sources.emplace_back(new TBenchSource(&component, &component.Lock));
    sinks.back()->Next = sources.back().get();
  }
  const TRef<TLkNotifyOperation> operation = MakeRef<TLkClockOperation>();
  const long before = HeapAllocations();
  for (auto _ : state) sources.front()->Notify(*operation);
  ReportHeapAllocations(state, before);
}

BENCHMARK(LockReference)->Name("lock section, uncontended/std::mutex lock and unlock (reference)");
BENCHMARK(LockSection)->Name("lock section, uncontended/TLkLock write section");
BENCHMARK(LockReference)->Name("link and unlink/std::mutex lock and unlock (reference)");
BENCHMARK(LinkUnlink)->Name("link and unlink/sink Connect and Connect(none)");
BENCHMARK(SendReference)->Arg(1)->Name("send to 1 sink/virtual call (reference)");
BENCHMARK(Send)->Arg(1)->Name("send to 1 sink/Notify");
BENCHMARK(SendReference)->Arg(3)->Name("send to 3 sinks/virtual calls (reference)");
BENCHMARK(Send)->Arg(3)->Name("send to 3 sinks/Notify");
BENCHMARK(SendReference)->Arg(10)->Name("send to 10 sinks/virtual calls (reference)");
BENCHMARK(Send)->Arg(10)->Name("send to 10 sinks/Notify");
BENCHMARK(ChainReference)->Name("chain of 10 components/virtual calls (reference)");
BENCHMARK(Chain)->Name("chain of 10 components/Notify");

}  // namespace
