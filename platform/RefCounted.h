#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

// Base of objects handed around as counted references (buffers, operations): the count lives in
// the object, so one allocation holds both, and the last reference frees it.
class TRefCounted {
public:
  TRefCounted() = default;
  TRefCounted(const TRefCounted&) = delete;
  TRefCounted& operator=(const TRefCounted&) = delete;

  void AddRef() const { Count.fetch_add(1, std::memory_order_relaxed); }
  void Release() const {
    if (Count.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
  int32_t RefCount() const { return Count.load(std::memory_order_acquire); }

protected:
  virtual ~TRefCounted() = default;

private:
  mutable std::atomic<int32_t> Count{0};
};

// A counted reference to T (a TRefCounted).
template <class T>
class TRef {
public:
  TRef() = default;
  TRef(std::nullptr_t) {}  // NOLINT(google-explicit-constructor)
  explicit TRef(T* object) : Object(object) {
    if (Object) Object->AddRef();
  }
  TRef(const TRef& other) : TRef(other.Object) {}
  TRef(TRef&& other) noexcept : Object(std::exchange(other.Object, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  TRef(const TRef<U>& other) : TRef(other.Get()) {}  // NOLINT(google-explicit-constructor)
  ~TRef() {
    if (Object) Object->Release();
  }
  TRef& operator=(TRef other) noexcept {
    std::swap(Object, other.Object);
    return *this;
  }

  T* Get() const { return Object; }
  T* operator->() const { return Object; }
  T& operator*() const { return *Object; }
  explicit operator bool() const { return Object != nullptr; }
  friend bool operator==(const TRef& a, const TRef& b) { return a.Object == b.Object; }

private:
  T* Object = nullptr;
};

// Creates an object and the first reference to it.
template <class T, class... Args>
TRef<T> MakeRef(Args&&... args) {
  return TRef<T>(new T(std::forward<Args>(args)...));
}
