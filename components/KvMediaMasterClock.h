#pragma once

#include "platform/LkSync.h"
#include "platform/MillisecondTimer.h"

#include <cstdint>
#include <functional>
#include <memory>

// What one clock thread shares with the master clock: its interval, its accumulator (both in
// units of 100 ns) and the semaphore released once per elapsed interval. At most 10000 ticks wait;
// further releases are dropped, which bounds the backlog of a thread that cannot keep up.
struct TKvClockTicks {
  static constexpr int32_t MaxPending = 10000;
  static constexpr int64_t PerMillisecond = 10000;

  explicit TKvClockTicks(uint64_t interval) : Interval(interval) {}
  // Adds 10000 to the accumulator for each millisecond and answers how many intervals are due,
  // taking them off (an accumulator equal to the interval is not yet due).
  int64_t Elapse(int64_t milliseconds = 1);
  // In how many milliseconds Elapse next answers more than 0.
  int64_t MillisecondsUntilDue() const;

  const uint64_t Interval;  // at least 1
  int64_t Accumulator = 0;
  TLkSemaphore Semaphore{0, MaxPending};
};

// The process-wide master clock: one periodic 1 ms timer that wakes every registered clock thread
// once per elapsed interval. The timer sleeps through the milliseconds in which no interval ends. It exists while at
// least one clock thread is registered: the first registration starts the timer, the last unregistration stops it.
class TKvMediaMasterClock {
public:
  // Starts the timer that drives the master clock: it calls `tick` as milliseconds elapse until it
  // is destroyed. The default is the system's 1 ms timer; tests put in one they step.
  using TTimerFactory = std::function<std::unique_ptr<TPeriodicTimer>(TPeriodicTimer::TTick tick)>;
  // Answers the factory it replaces; an empty one restores the system timer.
  static TTimerFactory SetTimerFactory(TTimerFactory factory);

  static void Register(TKvClockTicks& clock);
  // When it returns, the timer no longer touches `clock`.
  static void Unregister(TKvClockTicks& clock);
  // Whether the master clock exists (its timer runs).
  static bool Exists();
};
