#include "platform/LkSync.h"

#include <algorithm>

bool TLkMutex::Wait(uint32_t timeoutMs) {
  const auto me = std::this_thread::get_id();
  std::unique_lock lock(Guard);
  if (Owner == me) {
    ++Depth;
    return true;
  }
  if (!Freed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return Depth == 0; })) return false;
  Owner = me;
  Depth = 1;
  return true;
}

bool TLkMutex::Release() {
  std::lock_guard lock(Guard);
  if (Owner != std::this_thread::get_id() || Depth == 0) return false;
  if (--Depth == 0) {
    Owner = {};
    Freed.notify_one();
  }
  return true;
}

TLkSemaphore::TLkSemaphore(int32_t initialCount, int32_t maximumCount)
    : Count_(std::clamp(initialCount, 0, std::max(maximumCount, 0))), Maximum(std::max(maximumCount, 0)) {}

bool TLkSemaphore::Wait(uint32_t timeoutMs) {
  std::unique_lock lock(Guard);
  if (!Signalled.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return Count_ > 0; })) return false;
  --Count_;
  return true;
}

void TLkSemaphore::Release(int32_t count) {
  if (count <= 0) return;
  {
    std::lock_guard lock(Guard);
    Count_ = static_cast<int32_t>(std::min<int64_t>(int64_t(Count_) + count, Maximum));
  }
  Signalled.notify_all();
}

int32_t TLkSemaphore::Count() const {
  std::lock_guard lock(Guard);
  return Count_;
}
