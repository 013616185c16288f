#pragma once

#include "platform/EzThread.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

// Something that calls a tick as whole milliseconds elapse until it is destroyed. The tick gets the
// milliseconds elapsed since its last call and answers in how many it next has work, so a timer
// may sleep through the milliseconds in between.
class TPeriodicTimer {
public:
  using TTick = std::function<int64_t(int64_t elapsed)>;

  virtual ~TPeriodicTimer() = default;
  // Brings the tick up to the present, runs `change` (which alters what the tick looks after),
  // then asks the tick again when it next has work: what `change` adds counts from now, and a
  // timer asleep does not oversleep it.
  virtual void Change(const std::function<void()>& change) { change(); }
};

// The system's periodic 1 ms timer: a thread of its own keeps an absolute monotonic schedule of
// whole milliseconds and wakes only when the tick said it has work, or when a change needs it.
// A call that comes late passes on every millisecond it held up, so the average rate is exact.
// Destroying it stops it after a call in progress.
class TMillisecondTimer final : public TPeriodicTimer {
public:
  TMillisecondTimer(std::string name, TTick tick);
  ~TMillisecondTimer() override;

  void Change(const std::function<void()>& change) override;

private:
  using TClock = std::chrono::steady_clock;

  void Run();
  // Calls the tick with the whole milliseconds since the last one that were due; under Guard.
  void CatchUp();

  TTick Tick;
  std::mutex Guard;
  std::condition_variable Wakeup;
  TClock::time_point LastDue = TClock::now();
  int64_t NextIn = 1;  // milliseconds from LastDue to the next call
  bool Stopping = false;
  TEzThread Thread;  // last: it starts once the rest is in place
};
