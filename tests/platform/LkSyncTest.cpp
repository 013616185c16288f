#include "platform/LkSync.h"

#include <gtest/gtest.h>

#include <future>

namespace {

TEST(LkSemaphore, ReleasesPastTheMaximumAreDropped) {
  TLkSemaphore semaphore(1, 2);
  semaphore.Release(5);
  EXPECT_EQ(semaphore.Count(), 2);
  EXPECT_TRUE(semaphore.Wait(0));
  EXPECT_TRUE(semaphore.Wait(0));
  EXPECT_FALSE(semaphore.Wait(1));
  semaphore.Release(-3);
  EXPECT_EQ(semaphore.Count(), 0);
  auto waiter = std::async(std::launch::async, [&] { return semaphore.Wait(60000); });
  semaphore.Release();
  EXPECT_TRUE(waiter.get());
  EXPECT_EQ(TLkSemaphore(7, 3).Count(), 3);
}

TEST(LkMutex, RecursiveTimedAndOnlyTheOwnerReleases) {
  TLkMutex mutex;
  ASSERT_TRUE(mutex.Wait(0));
  ASSERT_TRUE(mutex.Wait(0));
  EXPECT_FALSE(std::async(std::launch::async, [&] { return mutex.Wait(1); }).get());
  EXPECT_FALSE(std::async(std::launch::async, [&] { return mutex.Release(); }).get());
  EXPECT_TRUE(mutex.Release());
  EXPECT_FALSE(std::async(std::launch::async, [&] { return mutex.Wait(1); }).get());
  EXPECT_TRUE(mutex.Release());
  EXPECT_FALSE(mutex.Release());
  EXPECT_TRUE(std::async(std::launch::async, [&] { return mutex.Wait(0) && mutex.Release(); }).get());
}

}  // namespace
