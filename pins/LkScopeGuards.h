#pragma once

#include <atomic>
#include <utility>

// Counts one nested send (or connect notice) of a pin for as long as it runs.
class TLkDepthGuard {
public:
  explicit TLkDepthGuard(std::atomic<int>& depth) : Depth(depth) { ++Depth; }
  ~TLkDepthGuard() { --Depth; }
  TLkDepthGuard(const TLkDepthGuard&) = delete;
  TLkDepthGuard& operator=(const TLkDepthGuard&) = delete;

private:
  std::atomic<int>& Depth;
};

// Counts one delivery through a sink entry for as long as it runs. Sequentially consistent, so
// that a delivery and the removal of its entry always see one another (see RemoveSinkEntry).
class TLkDeliveryGuard {
public:
  explicit TLkDeliveryGuard(std::atomic<int>& count) : Count(count) { Count.fetch_add(1); }
  ~TLkDeliveryGuard() { Count.fetch_sub(1); }
  TLkDeliveryGuard(const TLkDeliveryGuard&) = delete;
  TLkDeliveryGuard& operator=(const TLkDeliveryGuard&) = delete;

private:
  std::atomic<int>& Count;
};

// Gives a variable a value for as long as it lives and restores what it was.
template <class T>
class TLkValueGuard {
public:
  TLkValueGuard(T& variable, T value) : Variable(variable), Saved(std::exchange(variable, value)) {}
  ~TLkValueGuard() { Variable = Saved; }
  TLkValueGuard(const TLkValueGuard&) = delete;
  TLkValueGuard& operator=(const TLkValueGuard&) = delete;

private:
  T& Variable;
  T Saved;
};

// Sets a flag for as long as it lives.
class TLkFlagGuard : public TLkValueGuard<bool> {
public:
  explicit TLkFlagGuard(bool& flag) : TLkValueGuard(flag, true) {}
};
