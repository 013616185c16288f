// The main-thread notifier with a Qt application (this test binary has one): notifications from
// other threads run on the application's thread, from its event loop.
#include "platform/KvMainThreadNotify.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

TEST(MainThreadNotify, RunsTheCallbacksOfOtherThreadsOnTheApplicationsThread) {
  ASSERT_TRUE(TKvMainThreadNotify::IsMainThread());
  std::vector<std::thread::id> calls;
  TKvMainThreadNotify notifier([&] { calls.push_back(std::this_thread::get_id()); });
  std::thread([&] {
    EXPECT_FALSE(TKvMainThreadNotify::IsMainThread());
    notifier.Notify();
    notifier.Notify();
  }).join();
  EXPECT_TRUE(calls.empty());
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, std::vector<std::thread::id>(2, std::this_thread::get_id()));
}

TEST(MainThreadNotify, OnTheApplicationsThreadRunsAtOnceUnlessForced) {
  int calls = 0;
  TKvMainThreadNotify notifier([&] { ++calls; });
  notifier.Notify();
  EXPECT_EQ(calls, 1);
  notifier.Notify(true);
  EXPECT_EQ(calls, 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 2);
}

TEST(MainThreadNotify, ANotifierDestroyedBeforeItsEventIsNotCalled) {
  int calls = 0;
  auto gone = std::make_unique<TKvMainThreadNotify>([&] { calls += 100; });
  TKvMainThreadNotify kept([&] { ++calls; });
  std::thread([&] {
    gone->Notify();
    kept.Notify();
  }).join();
  gone.reset();
  // A new notifier may take the place in memory of the one that went; the event is not its.
  TKvMainThreadNotify newcomer([&] { calls += 10; });
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 1);
}

TEST(MainThreadNotify, ACallbackMayDestroyItsOwnNotifier) {
  int calls = 0;
  std::unique_ptr<TKvMainThreadNotify> notifier;
  notifier = std::make_unique<TKvMainThreadNotify>([&] {
    ++calls;
    notifier.reset();
  });
  notifier->Notify(true);
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(notifier, nullptr);
}

TEST(MainThreadNotify, DestroyingWaitsForACallInProgressOnTheMainThread) {
  std::atomic<bool> entered{false}, destroying{false}, destroyed{false};
  auto notifier = std::make_unique<TKvMainThreadNotify>([&] {
    entered = true;
    while (!destroying) std::this_thread::yield();
    // Time for a destruction that does not wait to get done (passing does not depend on it).
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(destroyed);
  });
  notifier->Notify(true);
  std::thread worker([&] {
    while (!entered) std::this_thread::yield();
    destroying = true;
    notifier.reset();
    destroyed = true;
  });
  QCoreApplication::processEvents();
  worker.join();
  EXPECT_TRUE(destroyed);
}

}  // namespace
