#pragma once

#include <cstdint>
#include <functional>

// Runs a callback on the main (window) thread on behalf of other threads. With a Qt application
// the callback runs from an event posted to the application's thread; without one (a program with
// no window) it runs when that thread calls DeliverPending. A notifier destroyed before its turn
// is never called, and destroying it waits for a call of its callback in progress on another
// thread (not for one on the destroying thread: a callback may destroy its own notifier).
class TKvMainThreadNotify {
public:
  explicit TKvMainThreadNotify(std::function<void()> callback);
  ~TKvMainThreadNotify();
  TKvMainThreadNotify(const TKvMainThreadNotify&) = delete;
  TKvMainThreadNotify& operator=(const TKvMainThreadNotify&) = delete;

  // On the main thread without `force`, the callback runs at once; otherwise it runs later on the
  // main thread, once per call.
  void Notify(bool force = false);

  // Runs the callbacks of the notifications posted while there was no Qt application, oldest
  // first, on the calling thread; answers how many ran.
  static int DeliverPending();
  // The application's thread, or without an application the thread that started the program.
  static bool IsMainThread();

private:
  friend class TKvMainWindowNode;
  const uint64_t Serial;  // what posted notifications name it by: never used again once it is gone
  const std::function<void()> Callback;
};
