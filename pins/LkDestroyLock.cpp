#include "pins/LkDestroyLock.h"

#include <utility>

TLkDestroySection::TLkDestroySection(TLkDestroySection&& other) noexcept { *this = std::move(other); }

TLkDestroySection& TLkDestroySection::operator=(TLkDestroySection&& other) noexcept {
  if (this != &other) {
    Release();
    Kind = std::exchange(other.Kind, TKind::None);
    Lock = std::exchange(other.Lock, nullptr);
    Saved = other.Saved;
  }
  return *this;
}

void TLkDestroySection::Release() {
  switch (std::exchange(Kind, TKind::None)) {
    case TKind::None: break;
    case TKind::Enter: Lock->Users.fetch_sub(1, std::memory_order_acq_rel); break;
    case TKind::Lock: Lock->Requests.fetch_sub(1, std::memory_order_acq_rel); break;
    case TKind::Suspend: Lock->LetThrough.store(Saved, std::memory_order_release); break;
  }
  Lock = nullptr;
}

TLkDestroySection TLkDestroyLock::Enter() {
  TLkDestroySection section;
  Users.fetch_add(1, std::memory_order_acq_rel);
  if (Requests.load(std::memory_order_acquire) > 0 &&
      LetThrough.load(std::memory_order_acquire) != std::this_thread::get_id()) {
    Users.fetch_sub(1, std::memory_order_acq_rel);
    return section;
  }
  section.Kind = TLkDestroySection::TKind::Enter;
  section.Lock = this;
  return section;
}

TLkDestroySection TLkDestroyLock::Lock() {
  Requests.fetch_add(1, std::memory_order_acq_rel);
  while (Users.load(std::memory_order_acquire) > 0) std::this_thread::yield();
  TLkDestroySection section;
  section.Kind = TLkDestroySection::TKind::Lock;
  section.Lock = this;
  return section;
}

TLkDestroySection TLkDestroyLock::Suspend() {
  TLkDestroySection section;
  section.Kind = TLkDestroySection::TKind::Suspend;
  section.Lock = this;
  section.Saved = LetThrough.exchange(std::this_thread::get_id(), std::memory_order_acq_rel);
  return section;
}
