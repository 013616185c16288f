#pragma once

#include "platform/Guid.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class TLkLock;

// A section of a component lock: it holds what it took until it ends (goes out of scope or is
// released). A section may hold nothing: the lock was refused because a stop is pending, or it
// was lost while lent away; callers then skip their work.
class [[nodiscard]] TLkLockSection {
public:
  TLkLockSection() = default;
  TLkLockSection(TLkLockSection&& other) noexcept;
  TLkLockSection& operator=(TLkLockSection&& other) noexcept;
  TLkLockSection(const TLkLockSection&) = delete;
  TLkLockSection& operator=(const TLkLockSection&) = delete;
  ~TLkLockSection() { Release(); }

  // The calling thread still holds the lock through this section.
  bool Locked() const;
  explicit operator bool() const { return Locked(); }
  void Release();

private:
  friend class TLkLock;
  enum class TKind : uint8_t { None, Hold, Stop, UnlockAll };
  // What an unlock-all gave away, to be taken back at its end.
  struct TLent {
    TLkLock* Lock = nullptr;
    int Count = 0;
    uint64_t Hold = 0;
  };

  TKind Kind = TKind::None;
  TLkLock* Lock = nullptr;
  uint64_t Hold = 0;  // the holding this section counts in
  TLent Lent;         // an unlock-all section's own holdings, or the component lock a section lent away
};

// The recursive exclusive lock of a component, shared with its pins, pin lists and sub-objects.
// Attempts are made in growing slices of 1 to 20 ms; while a stop is pending every other thread's
// attempt fails at once; a thread that waits 20 attempts lends away the component lock it holds,
// so that lock cycles between a component and its pins cannot deadlock.
class ILkLock {
public:
  static constexpr TGUID IID = "{66C8D1BF-FA12-48E8-B0C9-60A652FA80D9}"_guid;
  virtual ~ILkLock() = default;

  // Read and write sections both take the lock exclusively. `componentLock` is lent away after
  // 20 failed attempts.
  virtual TLkLockSection ReadLock(ILkLock* componentLock = nullptr) = 0;
  virtual TLkLockSection WriteLock(ILkLock* componentLock = nullptr) = 0;
  // Holds the lock with priority: other threads' attempts fail while it is held or awaited.
  virtual TLkLockSection StopLock() = 0;
  // Gives the calling thread's holdings away until the section ends; does nothing when the
  // thread holds nothing.
  virtual TLkLockSection UnlockAllSection() = 0;
  virtual TLkLock& GetLockObject() = 0;
};

class TLkLock final : public ILkLock {
public:
  TLkLock() = default;
  TLkLock(const TLkLock&) = delete;
  TLkLock& operator=(const TLkLock&) = delete;

  TLkLockSection ReadLock(ILkLock* componentLock = nullptr) override { return Take(componentLock); }
  TLkLockSection WriteLock(ILkLock* componentLock = nullptr) override { return Take(componentLock); }
  TLkLockSection StopLock() override;
  TLkLockSection UnlockAllSection() override;
  TLkLock& GetLockObject() override { return *this; }
  // A write section that waits for a pending stop to end instead of being refused: for work that
  // has no refusal to report or must not be skipped. Deadlocks when the stop's holder waits for the
  // calling thread.
  TLkLockSection WaitingLock(ILkLock* componentLock = nullptr);

  bool StopPending() const;
  // The calling thread holds the lock.
  bool HeldByCaller() const;

private:
  friend class TLkLockSection;

  static constexpr int MaxAttemptMs = 20;

  TLkLockSection Take(ILkLock* componentLock);
  // One attempt of `ms` milliseconds; on success `hold` names the holding it counts in.
  bool TryLock(int ms, uint64_t& hold);
  bool Holds(uint64_t hold) const;
  void Release(uint64_t hold);
  void EndStop(uint64_t hold);
  // Ends an unlock-all: takes the lock back with the counts it had, unless a stop is pending.
  void TakeBack(const TLkLockSection::TLent& lent);
  // Waits on Freed (Guard held) until the predicate holds or the timeout passes; counts itself
  // as a waiter, so that releases notify only when someone waits.
  template <class Predicate>
  bool Wait(std::unique_lock<std::mutex>& guard, std::chrono::milliseconds timeout, Predicate predicate);

  // Guards the counters; waiting happens on Freed, which gives Guard up while it waits.
  mutable std::mutex Guard;
  std::condition_variable Freed;
  // None while the lock is free. Changed under Guard; read without it only to ask "is it me?",
  // which no other thread can make true (and then LockCount and Hold are the caller's own).
  std::atomic<std::thread::id> Owner{};
  int LockCount = 0;
  int PendingStops = 0;
  int Waiters = 0;
  uint64_t Hold = 0;  // the current holding; a lost holding is never current again
  uint64_t LastHold = 0;
};
