// The main-thread notifier in a program without a Qt application (this test binary has none):
// notifications wait for the main thread's DeliverPending.
#include "../platform/MainThreadNotifyChecks.h"

namespace {

using namespace MainThreadNotifyChecks;

void Drain() { TKvMainThreadNotify::DeliverPending(); }

TEST(MainThreadNotifyWithoutApplication, RunsTheCallbacksOfOtherThreadsAtTheDrainOnTheMainThread) {
  OtherThreadsWaitForDelivery(Drain);
}

TEST(MainThreadNotifyWithoutApplication, OnTheMainThreadRunsAtOnceUnlessForced) {
  MainThreadRunsAtOnceUnlessForced(Drain);
}

TEST(MainThreadNotifyWithoutApplication, ANotifierDestroyedBeforeTheDrainIsNotCalled) {
  GoneNotifierIsNotCalled(Drain);
}

TEST(MainThreadNotifyWithoutApplication, TheDrainAnswersHowManyRan) {
  TKvMainThreadNotify notifier([] {});
  notifier.Notify(true);
  notifier.Notify(true);
  EXPECT_EQ(TKvMainThreadNotify::DeliverPending(), 2);
  EXPECT_EQ(TKvMainThreadNotify::DeliverPending(), 0);
}

}  // namespace
