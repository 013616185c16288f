// The main-thread notifier in a program without a Qt application (this test binary has none):
// notifications wait for the main thread's DeliverPending.
#include "platform/KvMainThreadNotify.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(MainThreadNotifyWithoutApplication, RunsTheCallbacksOfOtherThreadsAtTheDrainOnTheMainThread) {
  ASSERT_TRUE(TKvMainThreadNotify::IsMainThread());
  std::vector<std::thread::id> calls;
  TKvMainThreadNotify notifier([&] { calls.push_back(std::this_thread::get_id()); });
  std::thread([&] {
    EXPECT_FALSE(TKvMainThreadNotify::IsMainThread());
    notifier.Notify();
    notifier.Notify();
  }).join();
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(TKvMainThreadNotify::DeliverPending(), 2);
  EXPECT_EQ(calls, std::vector<std::thread::id>(2, std::this_thread::get_id()));
  EXPECT_EQ(TKvMainThreadNotify::DeliverPending(), 0);
}

TEST(MainThreadNotifyWithoutApplication, OnTheMainThreadRunsAtOnceUnlessForced) {
  int calls = 0;
  TKvMainThreadNotify notifier([&] { ++calls; });
  notifier.Notify();
  EXPECT_EQ(calls, 1);
  notifier.Notify(true);
  EXPECT_EQ(calls, 1);
  TKvMainThreadNotify::DeliverPending();
  EXPECT_EQ(calls, 2);
}

TEST(MainThreadNotifyWithoutApplication, ANotifierDestroyedBeforeTheDrainIsNotCalled) {
  int calls = 0;
  TKvMainThreadNotify kept([&] { ++calls; });
  auto gone = std::make_unique<TKvMainThreadNotify>([&] { calls += 100; });
  std::thread([&] {
    gone->Notify();
    kept.Notify();
  }).join();
  gone.reset();
  EXPECT_EQ(TKvMainThreadNotify::DeliverPending(), 1);
  EXPECT_EQ(calls, 1);
}

}  // namespace
