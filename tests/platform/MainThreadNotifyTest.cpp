// The main-thread notifier with a Qt application (this test binary has one): notifications from
// other threads run on the application's thread, from its event loop.
#include "MainThreadNotifyChecks.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

using namespace MainThreadNotifyChecks;

void ProcessEvents() { QCoreApplication::processEvents(); }

TEST(MainThreadNotify, RunsTheCallbacksOfOtherThreadsOnTheApplicationsThread) {
  OtherThreadsWaitForDelivery(ProcessEvents);
}

TEST(MainThreadNotify, OnTheApplicationsThreadRunsAtOnceUnlessForced) {
  MainThreadRunsAtOnceUnlessForced(ProcessEvents);
}

TEST(MainThreadNotify, ANotifierDestroyedBeforeItsEventIsNotCalled) { GoneNotifierIsNotCalled(ProcessEvents); }

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
