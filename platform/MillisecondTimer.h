#pragma once

#include "platform/EzThread.h"

#include <atomic>
#include <functional>

// Something that calls a function once per elapsed millisecond until it is destroyed.
class TPeriodicTimer {
public:
  virtual ~TPeriodicTimer() = default;
};

// The system's periodic 1 ms timer: a thread of its own calls `tick` on an absolute monotonic
// schedule, so a call that comes late is followed at once by the ones it held up and the average
// rate is exact. Destroying it stops it after a call in progress.
class TMillisecondTimer final : public TPeriodicTimer {
public:
  TMillisecondTimer(std::string name, std::function<void()> tick);
  ~TMillisecondTimer() override;

private:
  void Run();

  std::function<void()> Tick;
  std::atomic<bool> Stopping{false};
  TEzThread Thread;  // last: it starts once the rest is in place
};
