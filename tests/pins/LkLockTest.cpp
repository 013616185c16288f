#include "pins/LkDestroyLock.h"
#include "pins/LkLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <latch>
#include <optional>
#include <random>
#include <thread>

namespace {

// Whether another thread gets a write section now, without waiting for a stop to end.
bool OtherThreadLocks(TLkLock& lock) {
  return std::async(std::launch::async, [&] { return lock.WriteLock().Locked(); }).get();
}

TEST(LkLock, AWriteLockIsRefusedAtOnceWhileAnotherThreadHoldsAStop) {
  TLkLock lock;
  TLkLockSection stop = lock.StopLock();
  ASSERT_TRUE(stop.Locked());
  // It returns, empty, although the stop is held for as long as this test likes.
  EXPECT_FALSE(OtherThreadLocks(lock));
  // The thread that holds the stop takes more sections at once.
  TLkLockSection nested = lock.WriteLock();
  EXPECT_TRUE(nested.Locked());
}

TEST(LkLock, SectionsNestAndTheLockIsFreeOnlyWhenBothAreReleased) {
  TLkLock lock;
  TLkLockSection outer = lock.WriteLock();
  TLkLockSection inner = lock.WriteLock();
  ASSERT_TRUE(inner.Locked());
  inner.Release();
  EXPECT_TRUE(lock.HeldByCaller());
  EXPECT_TRUE(outer.Locked());
  outer.Release();
  EXPECT_FALSE(lock.HeldByCaller());
  EXPECT_TRUE(OtherThreadLocks(lock));
}

TEST(LkLock, StopThenWriteThenStopAgainLeavesTheLockFree) {
  TLkLock lock;
  for (int round = 0; round < 3; ++round) {
    { TLkLockSection stop = lock.StopLock(); }
    { TLkLockSection write = lock.WriteLock(); }
    // A section refused under another thread's stop releases nothing.
    std::latch stopped(1), tried(1);
    std::thread stopper([&] {
      TLkLockSection stop = lock.StopLock();
      stopped.count_down();
      tried.wait();
    });
    stopped.wait();
    TLkLockSection refused = lock.WriteLock();
    EXPECT_FALSE(refused.Locked());
    refused.Release();
    tried.count_down();
    stopper.join();
  }
  EXPECT_FALSE(lock.StopPending());
  EXPECT_TRUE(OtherThreadLocks(lock));
}

TEST(LkLock, LendingAwayALockTheThreadDoesNotHoldDoesNothing) {
  TLkLock lock;
  std::latch held(1), done(1);
  std::thread holder([&] {
    TLkLockSection section = lock.WriteLock();
    held.count_down();
    done.wait();
  });
  held.wait();
  { TLkLockSection lent = lock.UnlockAllSection(); }  // neither gives nor takes anything
  EXPECT_FALSE(lock.HeldByCaller());
  done.count_down();
  holder.join();
  EXPECT_TRUE(OtherThreadLocks(lock));
}

TEST(LkLock, HoldingsLostToAStopWhileLentAwayAreNotReleasedLater) {
  TLkLock lock;
  TLkLockSection work = lock.WriteLock();
  TLkLockSection nested = lock.WriteLock();
  std::latch stopped(1), retook(1);
  std::thread stopper;
  {
    TLkLockSection lent = lock.UnlockAllSection();
    EXPECT_FALSE(work.Locked());
    stopper = std::thread([&] {
      TLkLockSection stop = lock.StopLock();
      stopped.count_down();
      retook.wait();
      // The stop still holds the lock: the lost sections released nothing of it.
      EXPECT_TRUE(lock.HeldByCaller());
    });
    stopped.wait();
  }  // taking it back fails: a stop is pending
  EXPECT_FALSE(work.Locked());
  EXPECT_FALSE(nested.Locked());
  nested.Release();
  work.Release();
  retook.count_down();
  stopper.join();
  EXPECT_TRUE(OtherThreadLocks(lock));
}

TEST(LkLock, AThreadWaitingTwentyAttemptsLendsItsComponentLockAway) {
  TLkLock component;
  TLkLock pin;
  std::latch haveComponent(1), havePin(1);
  std::atomic<bool> otherGotComponent{false};
  std::thread other([&] {
    TLkLockSection pinSection = pin.WriteLock();
    havePin.count_down();
    haveComponent.wait();
    // Blocks until the first thread lends the component lock away.
    TLkLockSection componentSection = component.WriteLock();
    otherGotComponent = componentSection.Locked();
  });
  TLkLockSection componentSection = component.WriteLock();
  haveComponent.count_down();
  havePin.wait();
  {
    TLkLockSection pinSection = pin.WriteLock(&component);
    EXPECT_TRUE(pinSection.Locked());
    EXPECT_FALSE(componentSection.Locked());  // lent away while this section lives
  }
  other.join();
  EXPECT_TRUE(otherGotComponent);
  EXPECT_TRUE(componentSection.Locked());  // taken back when the pin section ended
}

TEST(LkDestroyLock, LockWaitsForEverySharedSectionAndRefusesNewOnes) {
  TLkDestroyLock lock;
  auto first = std::make_unique<TLkDestroySection>(lock.Enter());
  auto second = std::make_unique<TLkDestroySection>(lock.Enter());
  ASSERT_TRUE(*first && *second);
  std::atomic<bool> locked{false};
  std::thread destroyer([&] {
    TLkDestroySection section = lock.Lock();
    locked = true;
    // While the destroyer holds it, only the thread it suspends for gets through.
    {
      TLkDestroySection suspended = lock.Suspend();
      EXPECT_TRUE(lock.Enter());
      EXPECT_FALSE(std::async(std::launch::async, [&] { return bool(lock.Enter()); }).get());
    }
    EXPECT_FALSE(lock.Enter());
  });
  while (!lock.Destroying()) std::this_thread::yield();
  EXPECT_FALSE(lock.Enter());
  first.reset();
  EXPECT_FALSE(locked);
  second.reset();
  destroyer.join();
  EXPECT_TRUE(locked);
  EXPECT_TRUE(lock.Enter());
}

// A section that waited long lends the component lock away; when a stop then refuses it, the
// component lock still comes back to its holder at the section's end.
TEST(LkLock, ARefusedSectionTakesBackTheComponentLockItLent) {
  TLkLock pin;
  TLkLock component;
  std::promise<void> releasePin;
  std::latch pinHeld(1);
  std::thread holder([&] {
    const TLkLockSection held = pin.WriteLock();
    pinHeld.count_down();
    releasePin.get_future().wait();
  });
  pinHeld.wait();
  const TLkLockSection componentSection = component.WriteLock();
  std::thread stopper;
  // Once the component lock is lent (another thread can take it), a stop becomes pending on the pin.
  std::thread borrower([&] {
    { const TLkLockSection borrowed = component.WriteLock(); }
    stopper = std::thread([&] { const TLkLockSection stop = pin.StopLock(); });
  });
  {
    const TLkLockSection refused = pin.WriteLock(&component);
    EXPECT_FALSE(refused);
  }
  EXPECT_TRUE(component.HeldByCaller());
  EXPECT_TRUE(componentSection.Locked());
  borrower.join();
  releasePin.set_value();
  holder.join();
  stopper.join();
}

// Waiting sections outlast a stop instead of being refused.
TEST(LkLock, AWaitingLockTakesTheLockOnceTheStopEnds) {
  TLkLock lock;
  std::optional<TLkLockSection> stop(lock.StopLock());
  std::latch started(1);
  auto waiting = std::async(std::launch::async, [&] {
    started.count_down();
    return lock.WaitingLock().Locked();
  });
  started.wait();
  EXPECT_FALSE(OtherThreadLocks(lock));
  stop.reset();
  EXPECT_TRUE(waiting.get());
}

// Threads take write, stop and nested sections and lend them away at random; the plain counter is
// touched only while a section holds the lock, so any lapse of exclusion shows (and ThreadSanitizer
// reports it).
TEST(LkLock, StressUnderRandomSectionsKeepsExclusion) {
  TLkLock lock;
  TLkLock component;
  int inside = 0;
  std::atomic<int> worked{0}, refused{0}, lost{0};
  constexpr int Threads = 4;
  constexpr int Rounds = 20000;
  auto work = [&] {
    EXPECT_EQ(++inside, 1);
    --inside;
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < Threads; ++t) {
    threads.emplace_back([&, t] {
      std::mt19937 random(t);
      for (int i = 0; i < Rounds; ++i) {
        TLkLockSection outer = random() % 8 == 0 ? lock.StopLock() : lock.WriteLock(&component);
        if (!outer.Locked()) {
          ++refused;
          continue;
        }
        work();
        if (random() % 3 == 0) {
          TLkLockSection nested = lock.WriteLock();
          ASSERT_TRUE(nested.Locked());
          work();
        }
        if (random() % 5 == 0) {
          { TLkLockSection lent = lock.UnlockAllSection(); }
          if (!outer.Locked()) {
            ++lost;
            continue;
          }
        }
        work();
        ++worked;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(worked + refused + lost, Threads * Rounds);
  EXPECT_GT(worked.load(), 0);
  EXPECT_FALSE(lock.StopPending());
  EXPECT_TRUE(OtherThreadLocks(lock));
}

}  // namespace
