#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// A recursive critical section.
class TLkCriticalSection {
public:
  void Enter() { Mutex.lock(); }
  void Leave() { Mutex.unlock(); }
  // std::lock_guard and friends work on it directly.
  void lock() { Enter(); }
  void unlock() { Leave(); }

private:
  std::recursive_mutex Mutex;
};

// An unnamed, recursive mutex, not owned when created, with timed waits. Releasing it from a thread
// that does not own it does nothing.
class TLkMutex {
public:
  // False when the timeout (in milliseconds) passed first.
  bool Wait(uint32_t timeoutMs);
  // False when the calling thread does not own the mutex.
  bool Release();

private:
  std::mutex Guard;
  std::condition_variable Freed;
  std::thread::id Owner;
  uint32_t Depth = 0;
};

// A counting semaphore with a maximum count: releases that would pass the maximum are dropped.
class TLkSemaphore {
public:
  TLkSemaphore(int32_t initialCount, int32_t maximumCount);
  // True when signalled; false when the timeout (in milliseconds) passed first.
  bool Wait(uint32_t timeoutMs);
  // Adds `count` up to the maximum.
  void Release(int32_t count = 1);
  int32_t Count() const;

private:
  mutable std::mutex Guard;
  std::condition_variable Signalled;
  int32_t Count_;
  int32_t Maximum;
};
