#include "components/KvMediaMasterClock.h"

#include <algorithm>
#include <mutex>
#include <vector>

int64_t TKvClockTicks::Elapse(int64_t milliseconds) {
  Accumulator += milliseconds * PerMillisecond;
  const auto interval = static_cast<int64_t>(Interval);
  if (Accumulator <= interval) return 0;
  // As many times as "while above the interval, take one off" would, in one step: an interval
  // as short as 1 must not keep the clock's lock for thousands of rounds.
  const int64_t due = (Accumulator - 1) / interval;
  Accumulator -= due * interval;
  return due;
}

int64_t TKvClockTicks::MillisecondsUntilDue() const {
  return (static_cast<int64_t>(Interval) - Accumulator) / PerMillisecond + 1;
}

namespace {

// How long the timer may sleep when it has no clock to look after (it is stopped then anyway).
constexpr int64_t IdleMilliseconds = 1000;

// Leaked on purpose: a clock thread left running at process end may still unregister.
struct TMasterClockState {
  // Serialises starting and stopping the timer. Never held by the timer's thread, so the timer
  // can be stopped (waiting for a tick in progress) while it is held.
  std::mutex Life;
  // The unit's critical section: the registered clocks and their accumulators.
  std::mutex Ticking;
  std::vector<TKvClockTicks*> Clocks;
  std::unique_ptr<TPeriodicTimer> Timer;
  TKvMediaMasterClock::TTimerFactory Factory;
};

TMasterClockState& State() {
  static auto* state = new TMasterClockState;
  return *state;
}

int64_t Tick(int64_t elapsed) {
  TMasterClockState& state = State();
  std::lock_guard lock(state.Ticking);
  int64_t next = IdleMilliseconds;
  for (auto it = state.Clocks.rbegin(); it != state.Clocks.rend(); ++it) {
    if (const int64_t due = elapsed > 0 ? (*it)->Elapse(elapsed) : 0)
      (*it)->Semaphore.Release(static_cast<int32_t>(std::min<int64_t>(due, TKvClockTicks::MaxPending)));
    next = std::min(next, (*it)->MillisecondsUntilDue());
  }
  return next;
}

}  // namespace

TKvMediaMasterClock::TTimerFactory TKvMediaMasterClock::SetTimerFactory(TTimerFactory factory) {
  std::lock_guard lock(State().Life);
  std::swap(State().Factory, factory);
  return factory;
}

void TKvMediaMasterClock::Register(TKvClockTicks& clock) {
  TMasterClockState& state = State();
  std::lock_guard life(state.Life);
  const auto add = [&] {
    std::lock_guard lock(state.Ticking);
    state.Clocks.push_back(&clock);
  };
  // A running timer first passes on the milliseconds already gone, which the new clock must not get.
  if (state.Timer) return state.Timer->Change(add);
  add();
  state.Timer = state.Factory ? state.Factory(Tick) : std::make_unique<TMillisecondTimer>("TKvMediaMasterClock", Tick);
}

void TKvMediaMasterClock::Unregister(TKvClockTicks& clock) {
  TMasterClockState& state = State();
  std::lock_guard life(state.Life);
  bool empty;
  {
    std::lock_guard lock(state.Ticking);
    std::erase(state.Clocks, &clock);
    empty = state.Clocks.empty();
  }
  // Outside the critical section: stopping waits for a tick in progress, which takes it.
  if (empty) state.Timer.reset();
}

bool TKvMediaMasterClock::Exists() {
  std::lock_guard life(State().Life);
  return State().Timer != nullptr;
}
