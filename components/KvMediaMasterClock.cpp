#include "components/KvMediaMasterClock.h"

#include <algorithm>
#include <mutex>
#include <vector>

int64_t TKvClockTicks::Elapse() {
  Accumulator += PerMillisecond;
  const auto interval = static_cast<int64_t>(Interval);
  if (Accumulator <= interval) return 0;
  // As many times as "while above the interval, take one off" would, in one step: an interval
  // as short as 1 must not keep the clock's lock for thousands of rounds.
  const int64_t due = (Accumulator - 1) / interval;
  Accumulator -= due * interval;
  return due;
}

namespace {

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

void Tick() {
  TMasterClockState& state = State();
  std::lock_guard lock(state.Ticking);
  for (auto it = state.Clocks.rbegin(); it != state.Clocks.rend(); ++it)
    if (const int64_t due = (*it)->Elapse())
      (*it)->Semaphore.Release(static_cast<int32_t>(std::min<int64_t>(due, TKvClockTicks::MaxPending)));
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
  {
    std::lock_guard lock(state.Ticking);
    state.Clocks.push_back(&clock);
  }
  if (state.Timer) return;
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
