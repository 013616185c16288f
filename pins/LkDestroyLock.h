#pragma once

#include "platform/Guid.h"

#include <atomic>
#include <cstdint>
#include <thread>

class TLkDestroyLock;

// A section of a destroy lock; ends when it goes. An empty section means the object is being
// destroyed and must not be used.
class TLkDestroySection {
public:
  TLkDestroySection() = default;
  TLkDestroySection(TLkDestroySection&& other) noexcept;
  TLkDestroySection& operator=(TLkDestroySection&& other) noexcept;
  TLkDestroySection(const TLkDestroySection&) = delete;
  TLkDestroySection& operator=(const TLkDestroySection&) = delete;
  ~TLkDestroySection() { Release(); }

  explicit operator bool() const { return Kind != TKind::None; }
  void Release();

private:
  friend class TLkDestroyLock;
  enum class TKind : uint8_t { None, Enter, Lock, Suspend };
  TKind Kind = TKind::None;
  TLkDestroyLock* Lock = nullptr;
  std::thread::id Saved;  // who was let through before this suspension
};

// Lets many callers use an object at once (Enter) and makes its destruction (Lock) wait until they
// are done; new callers are refused meanwhile. Suspend lets the calling thread through again for a
// while, so the destroying thread can still send through the object. Atomic counters only.
class ILkDestroyLock {
public:
  static constexpr TGUID IID = "{941BEB02-70F3-4FC6-ACAA-0754D6CB8A0A}"_guid;
  virtual ~ILkDestroyLock() = default;
  virtual TLkDestroySection Enter() = 0;
  virtual TLkDestroySection Lock() = 0;
  virtual TLkDestroySection Suspend() = 0;
  virtual TLkDestroyLock& GetObject() = 0;
};

class TLkDestroyLock final : public ILkDestroyLock {
public:
  TLkDestroySection Enter() override;
  TLkDestroySection Lock() override;
  TLkDestroySection Suspend() override;
  TLkDestroyLock& GetObject() override { return *this; }

  bool Destroying() const { return Requests.load(std::memory_order_acquire) > 0; }

private:
  friend class TLkDestroySection;
  std::atomic<int32_t> Users{0};
  std::atomic<int32_t> Requests{0};
  std::atomic<std::thread::id> LetThrough{};
};
