#include "platform/MillisecondTimer.h"

#include <algorithm>

TMillisecondTimer::TMillisecondTimer(std::string name, TTick tick)
    : Tick(std::move(tick)), Thread(std::move(name), [this] { Run(); }) {}

TMillisecondTimer::~TMillisecondTimer() {
  {
    const std::lock_guard lock(Guard);
    Stopping = true;
  }
  Wakeup.notify_one();
  Thread.WaitFor();
}

void TMillisecondTimer::Change(const std::function<void()>& change) {
  {
    const std::lock_guard lock(Guard);
    CatchUp();
    change();
    NextIn = std::max<int64_t>(1, Tick(0));
  }
  // The sleep may now end earlier.
  Wakeup.notify_one();
}

void TMillisecondTimer::CatchUp() {
  const int64_t elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - LastDue).count();
  if (elapsed <= 0) return;
  LastDue += std::chrono::milliseconds(elapsed);
  NextIn = std::max<int64_t>(1, Tick(elapsed));
}

void TMillisecondTimer::Run() {
  std::unique_lock lock(Guard);
  while (!Stopping) {
    // Woken early (a change, or spuriously), it plans again from the schedule as it now stands.
    if (Wakeup.wait_until(lock, LastDue + std::chrono::milliseconds(NextIn)) == std::cv_status::timeout && !Stopping)
      CatchUp();
  }
}
