#include "platform/MillisecondTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

// What a timer's tick saw: the milliseconds passed on in each call, and what it answers next.
struct TTickLog {
  std::mutex Guard;
  std::condition_variable Called;
  std::vector<int64_t> Elapsed;
  std::vector<int64_t> SumAtCall;  // whole milliseconds of wall time counted by the caller
  int64_t Answer = 20;
  TClock::time_point Start = TClock::now();

  TPeriodicTimer::TTick Tick() {
    return [this](int64_t elapsed) {
      const std::lock_guard lock(Guard);
      Elapsed.push_back(elapsed);
      SumAtCall.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - Start).count());
      Called.notify_all();
      return Answer;
    };
  }
  int64_t Total() {
    int64_t total = 0;
    for (const int64_t e : Elapsed) total += e;
    return total;
  }
};

}  // namespace

TEST(MillisecondTimer, SleepsUntilTheTickHasWorkAndCountsEveryMillisecondOnce) {
  TTickLog log;
  {
    TMillisecondTimer timer("TimerTest", log.Tick());
    std::unique_lock lock(log.Guard);
    ASSERT_TRUE(log.Called.wait_for(lock, std::chrono::seconds(60), [&] { return log.Elapsed.size() >= 6; }));
  }
  // The first call comes after the first millisecond; every later one when the tick said.
  EXPECT_GE(log.Elapsed[0], 1);
  int64_t total = log.Elapsed[0];
  for (size_t i = 1; i < log.Elapsed.size(); ++i) {
    EXPECT_GE(log.Elapsed[i], 20) << "call " << i;
    total += log.Elapsed[i];
    // Never more milliseconds than the wall clock saw since before the timer was made.
    EXPECT_LE(total, log.SumAtCall[i]) << "call " << i;
  }
}

TEST(MillisecondTimer, AChangeFirstPassesOnWhatElapsedThenCutsALongSleepShort) {
  TTickLog log;
  log.Answer = 1000000;  // a thousand seconds
  TMillisecondTimer timer("TimerTest", log.Tick());
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  int64_t passedBeforeChange = -1;
  timer.Change([&] {
    const std::lock_guard lock(log.Guard);
    passedBeforeChange = log.Total();
    log.Answer = 5;
  });
  EXPECT_GE(passedBeforeChange, 60);
  std::unique_lock lock(log.Guard);
  // Asked again after the change (0 elapsed), then woken 5 ms on, not a thousand seconds.
  const size_t asked = log.Elapsed.size();
  EXPECT_EQ(log.Elapsed.back(), 0);
  ASSERT_TRUE(log.Called.wait_for(lock, std::chrono::seconds(60), [&] { return log.Elapsed.size() > asked; }));
  EXPECT_GE(log.Elapsed[asked], 5);
}
