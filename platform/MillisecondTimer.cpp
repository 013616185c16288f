#include "platform/MillisecondTimer.h"

#include <cerrno>
#include <ctime>

namespace {

constexpr long NanosecondsPerMillisecond = 1000000;
constexpr long NanosecondsPerSecond = 1000000000;

void AddMillisecond(timespec& time) {
  time.tv_nsec += NanosecondsPerMillisecond;
  if (time.tv_nsec >= NanosecondsPerSecond) {
    time.tv_nsec -= NanosecondsPerSecond;
    ++time.tv_sec;
  }
}

}  // namespace

TMillisecondTimer::TMillisecondTimer(std::string name, std::function<void()> tick)
    : Tick(std::move(tick)), Thread(std::move(name), [this] { Run(); }) {}

TMillisecondTimer::~TMillisecondTimer() {
  Stopping = true;
  Thread.WaitFor();
}

void TMillisecondTimer::Run() {
  timespec due;
  clock_gettime(CLOCK_MONOTONIC, &due);
  while (!Stopping) {
    AddMillisecond(due);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {}
    if (!Stopping) Tick();
  }
}
