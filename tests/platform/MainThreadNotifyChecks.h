#pragma once

// Checks of the main-thread notifier that hold with a Qt application and without one; each takes
// the way notifications reach the main thread in that setting (the event loop, or the drain call).

#include "platform/KvMainThreadNotify.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace MainThreadNotifyChecks {

using TDeliver = std::function<void()>;

// Notifications from another thread run on the main thread, once each, when they are delivered.
inline void OtherThreadsWaitForDelivery(const TDeliver& deliver) {
  ASSERT_TRUE(TKvMainThreadNotify::IsMainThread());
  std::vector<std::thread::id> calls;
  TKvMainThreadNotify notifier([&] { calls.push_back(std::this_thread::get_id()); });
  std::thread([&] {
    EXPECT_FALSE(TKvMainThreadNotify::IsMainThread());
    notifier.Notify();
    notifier.Notify();
  }).join();
  EXPECT_TRUE(calls.empty());
  deliver();
  EXPECT_EQ(calls, std::vector<std::thread::id>(2, std::this_thread::get_id()));
}

// On the main thread a notification runs at once, a forced one when it is delivered.
inline void MainThreadRunsAtOnceUnlessForced(const TDeliver& deliver) {
  int calls = 0;
  TKvMainThreadNotify notifier([&] { ++calls; });
  notifier.Notify();
  EXPECT_EQ(calls, 1);
  notifier.Notify(true);
  EXPECT_EQ(calls, 1);
  deliver();
  EXPECT_EQ(calls, 2);
}

// A notifier destroyed before its notification is delivered is not called, also when a new one
// takes its place in memory.
inline void GoneNotifierIsNotCalled(const TDeliver& deliver) {
  int calls = 0;
  auto gone = std::make_unique<TKvMainThreadNotify>([&] { calls += 100; });
  TKvMainThreadNotify kept([&] { ++calls; });
  std::thread([&] {
    gone->Notify();
    kept.Notify();
  }).join();
  gone.reset();
  TKvMainThreadNotify newcomer([&] { calls += 10; });
  deliver();
  EXPECT_EQ(calls, 1);
}

}  // namespace MainThreadNotifyChecks
