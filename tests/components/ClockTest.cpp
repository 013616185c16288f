#include "ComponentTestKit.h"

#include "components/KvClockGen.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <atomic>
#include <future>

namespace {

TEST(ClockInterval, IsTheBufferPeriodIn100Nanoseconds) {
  const struct {
    uint32_t SampleRate, BufferSize;
    uint64_t Interval;
  } cases[] = {
      {44100, 1024, 232200},  // 9999999 * 1024 / 44100 = 232199.98
      {11025, 1024, 928798},  // 928797.9
      {8000, 1, 1250},
      {96000, 512, 53333},
      {1, 1, 9999999},
      {0, 1024, 0},  // no clock at all
      {44100, 0, 0},
      {4000000000u, 1, 1},  // rounds to 0: the shortest interval instead
      {1, 4000000000u, 39999996000000000},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TKvClockGen::IntervalFor(c.SampleRate, c.BufferSize), c.Interval) << c.SampleRate << "/" << c.BufferSize;
}

// The ticks due in each of the first `milliseconds` milliseconds.
std::vector<int64_t> DuePerMillisecond(uint64_t interval, int milliseconds) {
  TKvClockTicks ticks(interval);
  std::vector<int64_t> due;
  for (int ms = 0; ms < milliseconds; ++ms) due.push_back(ticks.Elapse());
  return due;
}

TEST(ClockTicks, At44100HzEvery1024SamplesTheFirstTicksFallAt24_47_70_93And117ms) {
  const std::vector<int64_t> due = DuePerMillisecond(232200, 120);
  std::vector<int> at;
  for (int ms = 0; ms < 120; ++ms)
    for (int64_t i = 0; i < due[ms]; ++i) at.push_back(ms + 1);
  EXPECT_EQ(at, (std::vector<int>{24, 47, 70, 93, 117}));
}

TEST(ClockTicks, AnAccumulatorEqualToTheIntervalWaitsOneMillisecondMore) {
  TKvClockTicks ticks(20000);
  EXPECT_EQ(ticks.Elapse(), 0);
  EXPECT_EQ(ticks.Elapse(), 0);
  EXPECT_EQ(ticks.Accumulator, 20000);
  EXPECT_EQ(ticks.Elapse(), 1);
  EXPECT_EQ(ticks.Accumulator, 10000);
}

TEST(ClockTicks, DueTicksAreWhatTakingOneIntervalAtATimeGives) {
  for (const uint64_t interval : {1ull, 2ull, 3ull, 7ull, 9999ull, 10000ull, 10001ull, 33333ull, 232200ull}) {
    TKvClockTicks ticks(interval);
    int64_t accumulator = 0;
    for (int ms = 0; ms < 500; ++ms) {
      accumulator += 10000;
      int64_t expected = 0;
      while (accumulator > int64_t(interval)) accumulator -= int64_t(interval), ++expected;
      ASSERT_EQ(ticks.Elapse(), expected) << interval << " at " << ms;
      ASSERT_EQ(ticks.Accumulator, accumulator);
    }
  }
}

TEST(ClockTicks, ManyMillisecondsAtOnceAndTheNextDueMillisecondAgreeWithOneMillisecondAtATime) {
  for (const uint64_t interval : {1ull, 9999ull, 10000ull, 10001ull, 33333ull, 232200ull}) {
    TKvClockTicks single(interval), batched(interval);
    for (int round = 0; round < 40; ++round) {
      // The timer sleeps this long, then passes it on in one call.
      const int64_t wait = batched.MillisecondsUntilDue();
      int64_t due = 0;
      for (int64_t ms = 1; ms <= wait; ++ms) {
        const int64_t now = single.Elapse();
        ASSERT_EQ(now > 0, ms == wait) << interval << " round " << round << " ms " << ms;
        due += now;
      }
      ASSERT_EQ(batched.Elapse(wait), due) << interval << " round " << round;
      ASSERT_EQ(batched.Accumulator, single.Accumulator);
    }
  }
}

// A clock thread, named after a generator, that counts its ticks.
struct TCountingClock {
  explicit TCountingClock(uint64_t interval, std::function<void()> also = {})
      : Generator(new TDnGenericGen(nullptr)),
        Clock(std::make_unique<TKvClockGen>(
            *Generator,
            [this, also] {
              if (also) also();
              ++Ticks;
            },
            interval)) {}
  std::atomic<int> Ticks{0};
  TOwned<TDnGenericGen> Generator;
  std::unique_ptr<TKvClockGen> Clock;
};

TEST(ClockThread, TicksOncePerIntervalOfTheSteppedTimer) {
  TSteppedTimer timer;
  TCountingClock clock(232200);
  int now = 0, expected = 0;
  for (const int at : {24, 47, 70, 93, 117}) {
    timer.Step(at - 1 - now);
    // Up to the millisecond before the tick nothing more was released.
    EXPECT_EQ(clock.Ticks + clock.Clock->PendingTicks(), expected) << at;
    timer.Step(1);
    now = at;
    ++expected;
    ASSERT_TRUE(WaitUntil([&] { return clock.Ticks == expected; })) << at;
  }
}

TEST(ClockThread, ABacklogStopsGrowingAt10000Ticks) {
  TSteppedTimer timer;
  std::promise<void> entered, resume;
  std::shared_future<void> resumed = resume.get_future().share();
  std::atomic<bool> first{true};
  TCountingClock clock(10000, [&] {
    if (first.exchange(false)) {
      entered.set_value();
      resumed.wait();
    }
  });
  timer.Step(2);  // one tick: the thread takes it and is held in it
  entered.get_future().wait();
  timer.Step(10100);
  EXPECT_EQ(clock.Clock->PendingTicks(), 10000);
  resume.set_value();
  // The held-up ticks run back to back.
  EXPECT_TRUE(WaitUntil([&] { return clock.Ticks == 10001; }));
  EXPECT_EQ(clock.Clock->PendingTicks(), 0);
}

TEST(ClockThread, TheMasterClockComesWithTheFirstThreadAndGoesWithTheLast) {
  TSteppedTimer timer;
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
  auto first = std::make_unique<TCountingClock>(232200);
  auto second = std::make_unique<TCountingClock>(464400);
  EXPECT_TRUE(TKvMediaMasterClock::Exists());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 2);
  first.reset();
  EXPECT_TRUE(TKvMediaMasterClock::Exists());
  // The second still ticks: its first interval ends at 47 ms.
  timer.Step(47);
  EXPECT_TRUE(WaitUntil([&] { return second->Ticks == 1; }));
  second.reset();
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
  EXPECT_EQ(timer.Started(), 1);
  auto third = std::make_unique<TCountingClock>(232200);
  EXPECT_EQ(timer.Started(), 2);
}

std::string SystemThreadName() {
  char name[16] = {};
  pthread_getname_np(pthread_self(), name, sizeof name);
  return name;
}

TEST(ClockThread, IsNamedAfterItsGenerator) {
  TSteppedTimer timer;
  std::promise<std::string> shown;
  TCountingClock named(10000, [&, once = std::make_shared<std::once_flag>()] {
    std::call_once(*once, [&] { shown.set_value(SystemThreadName()); });
  });
  named.Generator->SetName("DnGenericGen1");
  TKvClockGen renamed(
      *named.Generator, [] {}, 10000);
  EXPECT_EQ(renamed.Name(), "DnGenericGen1.TKvClockGen");
  // Without a name, the class name; the system keeps the first 15 bytes.
  EXPECT_EQ(named.Clock->Name(), "TDnGenericGen.TKvClockGen");
  timer.Step(2);
  EXPECT_EQ(shown.get_future().get(), "TDnGenericGen.T");
}

TEST(ClockThread, ThatIsDestroyedFromItsOwnTickEndsWithoutWaitingForItself) {
  TSteppedTimer timer;
  std::unique_ptr<TKvClockGen> clock;
  std::atomic<int> ticks{0};
  TOwned<TDnGenericGen> generator(new TDnGenericGen(nullptr));
  clock = std::make_unique<TKvClockGen>(
      *generator,
      [&] {
        ++ticks;
        clock.reset();
      },
      10000);
  timer.Step(5);
  EXPECT_TRUE(WaitUntil([] { return TKvClockGen::LiveThreads() == 0; }));
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
}

TEST(ClockThread, TheSystemTimerDrivesIt) {
  TCountingClock clock(10000);  // one tick a millisecond
  EXPECT_TRUE(WaitUntil([&] { return clock.Ticks >= 5; }));
  clock.Clock.reset();
  EXPECT_FALSE(TKvMediaMasterClock::Exists());
  EXPECT_EQ(TKvClockGen::LiveThreads(), 0);
}

}  // namespace
