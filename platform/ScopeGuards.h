#pragma once

#include <atomic>
#include <exception>
#include <utility>

// Guards that undo at the end of a scope what they did at its start, however the scope ends: in
// place of try/catch pairs that undo and rethrow.

// Counts one level of nesting (of a pin's sends, say) for as long as it lives.
class TLkDepthGuard {
public:
  explicit TLkDepthGuard(std::atomic<int>& depth) : Depth(depth) { ++Depth; }
  ~TLkDepthGuard() { --Depth; }
  TLkDepthGuard(const TLkDepthGuard&) = delete;
  TLkDepthGuard& operator=(const TLkDepthGuard&) = delete;

private:
  std::atomic<int>& Depth;
};

// Counts one use in progress (a delivery through a pin's sink entry, say) for as long as it lives.
// Sequentially consistent, so that a use and a removal that waits for the count to reach zero
// always see one another.
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

// The same for a flag that other threads read.
class TLkAtomicFlagGuard {
public:
  explicit TLkAtomicFlagGuard(std::atomic<bool>& flag) : Flag(flag), Saved(flag.exchange(true)) {}
  ~TLkAtomicFlagGuard() { Flag.store(Saved); }
  TLkAtomicFlagGuard(const TLkAtomicFlagGuard&) = delete;
  TLkAtomicFlagGuard& operator=(const TLkAtomicFlagGuard&) = delete;

private:
  std::atomic<bool>& Flag;
  bool Saved;
};

// Runs an action when its scope ends by an exception, and only then: the undoing of a step that
// the rest of the scope did not complete. The exception goes on.
template <class Action>
class TLkFailureGuard {
public:
  explicit TLkFailureGuard(Action action) : Undo(std::move(action)), Exceptions(std::uncaught_exceptions()) {}
  ~TLkFailureGuard() {
    if (std::uncaught_exceptions() > Exceptions) Undo();
  }
  TLkFailureGuard(const TLkFailureGuard&) = delete;
  TLkFailureGuard& operator=(const TLkFailureGuard&) = delete;

private:
  Action Undo;
  int Exceptions;
};
