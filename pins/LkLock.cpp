#include "pins/LkLock.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

using std::chrono::milliseconds;

// A stop section waits without limit, in slices of this length.
constexpr milliseconds StopSlice(1000);

}  // namespace

TLkLockSection::TLkLockSection(TLkLockSection&& other) noexcept { *this = std::move(other); }

TLkLockSection& TLkLockSection::operator=(TLkLockSection&& other) noexcept {
  if (this != &other) {
    Release();
    Kind = std::exchange(other.Kind, TKind::None);
    Lock = std::exchange(other.Lock, nullptr);
    Hold = std::exchange(other.Hold, 0);
    Lent = std::exchange(other.Lent, {});
  }
  return *this;
}

bool TLkLockSection::Locked() const { return (Kind == TKind::Hold || Kind == TKind::Stop) && Lock->Holds(Hold); }

void TLkLockSection::Release() {
  switch (std::exchange(Kind, TKind::None)) {
    case TKind::None: break;  // a refused section may still have lent the component lock away
    case TKind::Hold: Lock->Release(Hold); break;
    case TKind::Stop: Lock->EndStop(Hold); break;
    case TKind::UnlockAll: break;
  }
  // A lent component lock (or an unlock-all section's own holdings) comes back last.
  if (Lent.Lock) Lent.Lock->TakeBack(Lent);
  Lock = nullptr;
  Lent = {};
}

bool TLkLock::TryLock(int ms, uint64_t& hold) {
  const auto me = std::this_thread::get_id();
  std::unique_lock guard(Guard);
  if (Owner == me && LockCount > 0) {
    ++LockCount;
    hold = Hold;
    return true;
  }
  // A stop that is pending, or that becomes pending while this attempt waits, ends it at once.
  // A free lock is taken without reading the clock for a deadline.
  const auto freeOrStopping = [this] { return Owner.load() == std::thread::id() || PendingStops > 0; };
  if (!freeOrStopping() && !Wait(guard, milliseconds(ms), freeOrStopping)) return false;
  if (PendingStops > 0) return false;
  Owner = me;
  LockCount = 1;
  Hold = hold = ++LastHold;
  return true;
}

bool TLkLock::Holds(uint64_t hold) const {
  // Asked on every section taken, so without Guard: only the owner changes the counters, and a
  // thread that sees itself as the owner reads what it wrote itself.
  return Owner.load() == std::this_thread::get_id() && LockCount > 0 && Hold == hold;
}

bool TLkLock::HeldByCaller() const {
  std::lock_guard guard(Guard);
  return Owner == std::this_thread::get_id() && LockCount > 0;
}

bool TLkLock::StopPending() const {
  std::lock_guard guard(Guard);
  return PendingStops > 0;
}

void TLkLock::Release(uint64_t hold) {
  std::lock_guard guard(Guard);
  // A section releases only the holding it counts in, and only while the thread still has it.
  if (Owner != std::this_thread::get_id() || LockCount == 0 || Hold != hold) return;
  if (--LockCount == 0) {
    Owner = std::thread::id();
    if (Waiters > 0) Freed.notify_all();
  }
}

TLkLockSection TLkLock::Take(ILkLock* componentLock) {
  TLkLockSection section;
  section.Lock = this;
  bool lent = false;
  for (int attempt = 1;; ++attempt) {
    uint64_t hold = 0;
    if (TryLock(std::min(attempt, MaxAttemptMs), hold)) {
      section.Kind = TLkLockSection::TKind::Hold;
      section.Hold = hold;
      return section;
    }
    if (StopPending()) return section;
    if (attempt >= MaxAttemptMs && componentLock && componentLock != this && !lent) {
      // Waiting long on this lock while holding the component's: give the component's away so
      // that a thread holding this lock and waiting for the component can finish.
      TLkLockSection given = componentLock->UnlockAllSection();
      section.Lent = std::exchange(given.Lent, {});
      given.Kind = TLkLockSection::TKind::None;
      lent = true;
    }
  }
}

TLkLockSection TLkLock::WaitingLock(ILkLock* componentLock) {
  for (;;) {
    TLkLockSection section = Take(componentLock);
    if (section) return section;
    std::unique_lock guard(Guard);
    while (!Wait(guard, StopSlice, [this] { return PendingStops == 0; })) {}
  }
}

TLkLockSection TLkLock::StopLock() {
  const auto me = std::this_thread::get_id();
  TLkLockSection section;
  section.Lock = this;
  section.Kind = TLkLockSection::TKind::Stop;
  std::unique_lock guard(Guard);
  ++PendingStops;
  if (Owner == me && LockCount > 0) {
    ++LockCount;
    section.Hold = Hold;
    return section;
  }
  // Without limit, in slices, like any other wait for this lock.
  while (!Wait(guard, StopSlice, [this] { return Owner.load() == std::thread::id(); })) {}
  Owner = me;
  LockCount = 1;
  Hold = section.Hold = ++LastHold;
  return section;
}

void TLkLock::EndStop(uint64_t hold) {
  {
    std::lock_guard guard(Guard);
    // Waiting locks wait for the last stop to end, not for the lock to be free.
    if (--PendingStops == 0 && Waiters > 0) Freed.notify_all();
  }
  Release(hold);
}

template <class Predicate>
bool TLkLock::Wait(std::unique_lock<std::mutex>& guard, std::chrono::milliseconds timeout, Predicate predicate) {
  ++Waiters;
  const bool met = Freed.wait_for(guard, timeout, predicate);
  --Waiters;
  return met;
}

TLkLockSection TLkLock::UnlockAllSection() {
  TLkLockSection section;
  // The usual case on a send: the thread holds nothing of this lock, so there is nothing to give.
  if (Owner.load(std::memory_order_relaxed) != std::this_thread::get_id()) return section;
  std::lock_guard guard(Guard);
  if (Owner != std::this_thread::get_id() || LockCount == 0) return section;  // nothing to give away
  section.Kind = TLkLockSection::TKind::UnlockAll;
  section.Lock = this;
  section.Lent = {this, LockCount, Hold};
  LockCount = 0;
  Owner = std::thread::id();
  if (Waiters > 0) Freed.notify_all();
  return section;
}

void TLkLock::TakeBack(const TLkLockSection::TLent& lent) {
  std::unique_lock guard(Guard);
  while (!Wait(guard, StopSlice, [this] { return Owner.load() == std::thread::id() || PendingStops > 0; })) {}
  // A stop took the lock meanwhile: the holding is lost, and the sections that counted in it now
  // hold nothing.
  if (PendingStops > 0) return;
  Owner = std::this_thread::get_id();
  LockCount = lent.Count;
  Hold = lent.Hold;
}
