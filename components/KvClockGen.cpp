#include "components/KvClockGen.h"

#include "platform/Component.h"
#include "platform/ErrorHook.h"

#include <chrono>
#include <cmath>

namespace {

std::atomic<int> Live{0};

// At process end, waits until every clock thread has let go of its clock (a thread that ended
// itself from its own tick runs on after its generator let it go).
struct TLiveThreadsAwaiter {
  ~TLiveThreadsAwaiter() {
    while (Live.load() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
} LiveThreadsAwaiter;

std::string ThreadName(const TComponent& generator) {
  return (generator.Name().empty() ? generator.ClassName() : generator.Name()) + ".TKvClockGen";
}

}  // namespace

uint64_t TKvClockGen::IntervalFor(uint32_t sampleRate, uint32_t bufferSize) {
  if (sampleRate == 0 || bufferSize == 0) return 0;
  const double buffersPerSecond = static_cast<double>(sampleRate) / static_cast<double>(bufferSize);
  // 9999999, not 10^7: the period as the clock has always counted it. Ties round to even.
  const double interval = std::nearbyint(9999999.0 / buffersPerSecond);
  return interval < 1 ? 1 : static_cast<uint64_t>(interval);
}

TKvClockGen::TShared::TShared(std::function<void()> tick, uint64_t interval)
    : Tick(std::move(tick)), Ticks(interval < 1 ? 1 : interval) {
  ++Live;
}

TKvClockGen::TShared::~TShared() { --Live; }

TKvClockGen::TKvClockGen(const TComponent& generator, std::function<void()> tick, uint64_t interval)
    : Shared(std::make_shared<TShared>(std::move(tick), interval)),
      Thread(ThreadName(generator), [shared = Shared]() mutable { Run(std::move(shared)); }) {
  TKvMediaMasterClock::Register(Shared->Ticks);
}

TKvClockGen::~TKvClockGen() {
  TKvMediaMasterClock::Unregister(Shared->Ticks);
  Shared->Terminated = true;
  if (Thread.IsCurrent()) {
    Thread.Detach();
    return;
  }
  Shared->Ticks.Semaphore.Release();
  Thread.WaitFor();
}

void TKvClockGen::Run(std::shared_ptr<TShared> shared) {
  // A tick that ended the clock ends the loop as well: nobody wakes a thread that ended itself.
  while (!shared->Terminated) {
    while (!shared->Ticks.Semaphore.Wait(1000)) {}
    if (shared->Terminated) break;
    try {
      shared->Tick();
    } catch (...) {
      // A tick's error ends that tick only; the clock goes on.
      PassErrorToHook("a clock tick");
    }
  }
}

int TKvClockGen::LiveThreads() { return Live.load(); }
