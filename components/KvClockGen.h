#pragma once

#include "components/KvMediaMasterClock.h"
#include "platform/EzThread.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TComponent;

// The clock thread of an internally clocked generator: the master clock releases its semaphore
// once per buffer period, and the thread calls the tick callback once per release. A thread that
// falls behind runs the callback back to back, at most 10000 times.
class TKvClockGen {
public:
  // The buffer period in units of 100 ns: round(9999999 / (sampleRate / bufferSize)), at least 1;
  // 0 for a sample rate (or a buffer size) of 0, which runs no clock.
  static uint64_t IntervalFor(uint32_t sampleRate, uint32_t bufferSize);

  // Starts the thread at once, named after the generator ("<name>.TKvClockGen", the class name
  // when the generator has none), and registers it with the master clock. `interval` is at least 1.
  TKvClockGen(const TComponent& generator, std::function<void()> tick, uint64_t interval);
  // Unregisters the thread and ends it. From another thread it waits until the thread has ended
  // (a tick in progress finishes first); from the thread's own tick it does not wait: the thread
  // ends by itself when the tick returns.
  ~TKvClockGen();
  TKvClockGen(const TKvClockGen&) = delete;
  TKvClockGen& operator=(const TKvClockGen&) = delete;

  const std::string& Name() const { return Thread.Name(); }
  uint64_t Interval() const { return Shared->Ticks.Interval; }
  // Ticks released and not yet taken.
  int32_t PendingTicks() const { return Shared->Ticks.Semaphore.Count(); }

  // Clock threads whose body has not yet returned, across the process. At process end the
  // program waits until there are none.
  static int LiveThreads();

private:
  // What the thread keeps until its body returns, also when it was let go; counted among the live
  // threads while it exists.
  struct TShared {
    TShared(std::function<void()> tick, uint64_t interval);
    ~TShared();
    const std::function<void()> Tick;
    TKvClockTicks Ticks;
    std::atomic<bool> Terminated{false};
  };
  static void Run(std::shared_ptr<TShared> shared);

  std::shared_ptr<TShared> Shared;
  TEzThread Thread;
};
